#include "fakes/TempFolder.h"
#include "store/ini.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <dlfcn.h>
#include <sys/stat.h>

namespace {

int umaskCalls = 0;

} // namespace

// Every umask() call in this test program lands here: a save must not set the mask even for a moment,
// as another thread creating a file meanwhile would get the wrong permissions.
extern "C" mode_t umask(mode_t mask) noexcept
{
    ++umaskCalls;
    using Real = mode_t (*)(mode_t);
    static const auto real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "umask"));
    return real(mask);
}

namespace {

struct UmaskCase
{
    mode_t mask;
    mode_t newFile;
};

class SaveUmask : public ::testing::TestWithParam<UmaskCase>
{
};

TEST_P(SaveUmask, ANewFileFollowsTheMaskThatIsNeverTouched)
{
    const UmaskCase c = GetParam();
    const mode_t saved = ::umask(c.mask);
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    umaskCalls = 0;
    const bool written = ini::WriteIni(path, "Alarm", "Count", "1");
    const int calls = umaskCalls;
    ::umask(saved);
    ASSERT_TRUE(written);
    EXPECT_EQ(calls, 0);
    struct stat info = {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, c.newFile);
}

INSTANTIATE_TEST_SUITE_P(Masks, SaveUmask,
                         ::testing::Values(UmaskCase{022, 0644}, UmaskCase{077, 0600}, UmaskCase{002, 0664},
                                           UmaskCase{0, 0666}, UmaskCase{0137, 0640}),
                         [](const auto& param) {
                             char name[16];
                             std::snprintf(name, sizeof name, "umask%03o", param.param.mask);
                             return std::string(name);
                         });

} // namespace
