#include "fakes/TempFolder.h"
#include "store/ini.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct WriteCase
{
    const char* name;
    std::optional<std::string> before; // nullopt: no file yet
    const char* section;
    const char* key;
    std::string value;
    std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os)
{
    *os << c.name;
}

class IniWrite : public testing::TestWithParam<WriteCase>
{
};

TEST_P(IniWrite, ChangesOnlyTheKeyAndReadsBack)
{
    const WriteCase& c = GetParam();
    fakes::TempFolder folder;
    if (c.before)
        folder.write("Data.ini", *c.before);
    ASSERT_TRUE(ini::WriteIni(folder.file("Data.ini"), c.section, c.key, c.value));
    EXPECT_EQ(folder.read("Data.ini"), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Profile, IniWrite,
    testing::Values(
        WriteCase{"NewFile", std::nullopt, "Alarm", "Count", "1", "[Alarm]\r\nCount=1\r\n"},
        WriteCase{"EmptyFile", "", "Alarm", "Count", "1", "[Alarm]\r\nCount=1\r\n"},
        WriteCase{"NewSectionAtEndWithoutBlankLine", "[Alarm]\r\nCount=1\r\n", "Alarm1", "State", "1",
                  "[Alarm]\r\nCount=1\r\n[Alarm1]\r\nState=1\r\n"},
        WriteCase{"NewSectionAfterTrailingBlankLine", "[Alarm]\r\nCount=1\r\n\r\n", "Alarm1", "State", "1",
                  "[Alarm]\r\nCount=1\r\n\r\n[Alarm1]\r\nState=1\r\n"},
        WriteCase{"NewKeyAtEndOfItsSection", "[A]\r\nX=1\r\n\r\n; about B\r\n[B]\r\nY=2\r\n", "A", "Z", "3",
                  "[A]\r\nX=1\r\nZ=3\r\n\r\n; about B\r\n[B]\r\nY=2\r\n"},
        WriteCase{"NewKeyInEmptySection", "[A]\r\n[B]\r\n", "A", "Z", "3", "[A]\r\nZ=3\r\n[B]\r\n"},
        WriteCase{"NewKeyAfterCommentInsideSection", "[A]\r\n; x\r\nX=1\r\n; y\r\nY=2\r\n", "A", "Z", "3",
                  "[A]\r\n; x\r\nX=1\r\n; y\r\nY=2\r\nZ=3\r\n"},
        WriteCase{"ReplacedInPlace", "; top\r\n[A]\r\nX=1\r\nT=7:00 AM\r\nY=2\r\n", "A", "T", "8:15 PM",
                  "; top\r\n[A]\r\nX=1\r\nT=8:15 PM\r\nY=2\r\n"},
        WriteCase{"KeepsFileSpellingAndBlanks", "[alarm1]\r\n  tIMe = 7:00 AM  \r\n", "Alarm1", "Time",
                  "9:00 AM", "[alarm1]\r\n  tIMe = 9:00 AM\r\n"},
        WriteCase{"BlanksOfTheNewValueReplaceOldOnes", "[A]\r\nK =  old  \r\n", "A", "K", " new ",
                  "[A]\r\nK = new \r\n"},
        WriteCase{"ReplacesQuotedValueWhole", "[A]\r\nT=\"x\"\r\n", "A", "T", "y", "[A]\r\nT=y\r\n"},
        WriteCase{"EmptyValueReplaced", "[A]\r\nT=\r\n", "A", "T", "y", "[A]\r\nT=y\r\n"},
        WriteCase{"WritesEmptyValue", "[A]\r\nT=x\r\n", "A", "T", "", "[A]\r\nT=\r\n"},
        WriteCase{"CrLfBecomeBlanks", std::nullopt, "A", "Memo", "line one\r\nline two\rthree\n",
                  "[A]\r\nMemo=line one  line two three \r\n"},
        WriteCase{"FirstOfDuplicateSections", "[A]\r\nX=1\r\n[B]\r\n[A]\r\nT=old\r\n", "A", "T", "new",
                  "[A]\r\nX=1\r\nT=new\r\n[B]\r\n[A]\r\nT=old\r\n"},
        WriteCase{"FirstOfDuplicateKeys", "[A]\r\nT=1\r\nT=2\r\n", "A", "T", "3", "[A]\r\nT=3\r\nT=2\r\n"},
        WriteCase{"LfFileGetsLfLines", "[A]\nX=1\n", "B", "Y", "2", "[A]\nX=1\n[B]\nY=2\n"},
        WriteCase{"CrFileGetsCrLines", "[A]\rX=1\r", "A", "Y", "2", "[A]\rX=1\rY=2\r"},
        WriteCase{"MissingFinalNewlineNewKey", "[A]\r\nX=1", "A", "Y", "2", "[A]\r\nX=1\r\nY=2\r\n"},
        WriteCase{"MissingFinalNewlineNewSection", "[A]\nX=1", "B", "Y", "2", "[A]\nX=1\n[B]\nY=2\n"},
        WriteCase{"MissingFinalNewlineReplace", "[A]\r\nX=1", "A", "X", "2", "[A]\r\nX=2"},
        WriteCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[A]\r\nX=1\r\n", "A", "X", "2",
                  "\xEF\xBB\xBF[A]\r\nX=2\r\n"},
        WriteCase{"OnlyByteOrderMark", "\xEF\xBB\xBF", "A", "X", "1", "\xEF\xBB\xBF[A]\r\nX=1\r\n"},
        WriteCase{"Utf8Value", std::nullopt, "A", "Memo", "Grüße 🎉", "[A]\r\nMemo=Grüße 🎉\r\n"},
        WriteCase{"LongValueWrittenWhole", std::nullopt, "A", "Memo", std::string(40000, 'm'),
                  "[A]\r\nMemo=" + std::string(40000, 'm') + "\r\n"},
        WriteCase{"UnknownLinesAndBinaryKept", "junk\r\n[A]\r\n\x01\x02\r\nnoequals\r\n[x\r\n", "A", "K", "v",
                  "junk\r\n[A]\r\n\x01\x02\r\nnoequals\r\n[x\r\nK=v\r\n"},
        WriteCase{"NulInFileKept", "[A]\r\nN=\0\r\n"s, "A", "K", "v", "[A]\r\nN=\0\r\nK=v\r\n"s}),
    [](const testing::TestParamInfo<WriteCase>& row) { return std::string(row.param.name); });

TEST(IniWriteFile, TheSameValueLeavesTheFileUntouched)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    folder.write("Data.ini", "[A]\r\nT = 7:00 AM \r\n");
    const auto stamp = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(path, stamp);
    ASSERT_TRUE(ini::WriteIni(path, "a", "t", "7:00 AM"));
    EXPECT_EQ(std::filesystem::last_write_time(path), stamp);
    EXPECT_EQ(folder.read("Data.ini"), "[A]\r\nT = 7:00 AM \r\n");
}

TEST(IniWriteFile, RewritingAValueWithBlanksAroundItIsStable)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    folder.write("Data.ini", "[A]\r\nK =\told\t\r\n");
    ASSERT_TRUE(ini::WriteIni(path, "A", "K", "  x  "));
    const std::string once = folder.read("Data.ini");
    ASSERT_TRUE(ini::WriteIni(path, "A", "K", "  x  "));
    EXPECT_EQ(folder.read("Data.ini"), once);
}

TEST(IniWriteFile, WrittenValuesReadBackAsWritten)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    const std::vector<std::string> values{"7:00 AM", "", "a;b", "x=y", "[z]", "Ünïcödé", "  inner  blanks "};
    for (std::size_t i = 0; i < values.size(); ++i)
        ASSERT_TRUE(ini::WriteIni(path, "S", "K" + std::to_string(i), values[i]));
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string expected = values[i];
        // Blanks around a value do not survive the format; those inside do.
        expected.erase(0, expected.find_first_not_of(' ') == std::string::npos
                              ? expected.size()
                              : expected.find_first_not_of(' '));
        expected.erase(expected.find_last_not_of(' ') + 1);
        EXPECT_EQ(ini::ReadIni(path, "S", "K" + std::to_string(i), "?"), expected) << i;
    }
}

TEST(IniWriteFile, NamesThatCannotStandInTheFileAreRefused)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    folder.write("Data.ini", "[A]\r\nX=1\r\n");
    const std::vector<std::pair<std::string, std::string>> bad{
        {"", "K"},      {"A", ""},    {" ", "K"},   {"A", "\t"}, {"A]", "K"},
        {"A\r\n", "K"}, {"A", "K=V"}, {"A", "K\n"}, {"A", ";K"}, {"A", "[K]"}};
    for (const auto& [section, key] : bad) {
        EXPECT_FALSE(ini::WriteIni(path, section, key, "v")) << section << "/" << key;
        EXPECT_FALSE(ini::WriteIniKeys(path, {{"A", "X", "2"}, {section, key, "v"}}))
            << section << "/" << key;
    }
    EXPECT_EQ(folder.read("Data.ini"), "[A]\r\nX=1\r\n");
}

TEST(IniWriteFile, UnwritableFolderFailsAndKeepsTheOldFile)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    folder.write("Data.ini", "[Alarm]\r\nCount=1\r\n");
    std::filesystem::permissions(folder.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (std::ofstream(folder.file("probe")))
        GTEST_SKIP() << "this user writes into read-only folders";
    EXPECT_FALSE(ini::WriteIni(path, "Alarm", "Count", "2"));
    EXPECT_FALSE(ini::WriteIniKeys(path, {{"Alarm", "Count", "2"}, {"Alarm2", "State", "1"}}));
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(folder.read("Data.ini"), "[Alarm]\r\nCount=1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no temporary left";
}

TEST(IniWriteFile, ALinkedFileIsWrittenThroughTheLink)
{
    fakes::TempFolder folder;
    std::filesystem::create_directory(folder.file("kept"));
    folder.write("kept/Data.ini", "[Alarm]\r\nCount=1\r\n");
    std::filesystem::create_symlink(folder.file("kept/Data.ini"), folder.file("Data.ini"));
    ASSERT_TRUE(ini::WriteIni(folder.file("Data.ini"), "Alarm", "Count", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("Data.ini")));
    EXPECT_EQ(folder.read("kept/Data.ini"), "[Alarm]\r\nCount=2\r\n");
}

// A full disk, even for root: the child may not grow any file beyond 64 bytes.
TEST(IniWriteFile, FullDiskFailsAndKeepsTheOldFile)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    const std::string old = "[Alarm]\r\nCount=1\r\n";
    folder.write("Data.ini", old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = ini::WriteIni(path, "Alarm1", "Memo", std::string(200, 'm'));
        ::_exit(written ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write was reported as done";
    EXPECT_EQ(folder.read("Data.ini"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no temporary left";
}

TEST(IniWriteFile, MissingFolderOrFolderInTheWayFails)
{
    fakes::TempFolder folder;
    EXPECT_FALSE(ini::WriteIni(folder.file("gone/Data.ini"), "A", "K", "v"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("gone")));
    // A read-only file system refuses even root.
    EXPECT_FALSE(ini::WriteIni("/proc/Data.ini", "A", "K", "v"));
    std::filesystem::create_directory(folder.file("Data.ini"));
    EXPECT_FALSE(ini::WriteIni(folder.file("Data.ini"), "A", "K", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("Data.ini")));
}

TEST(IniWriteFile, UnreadableFileIsNotReplaced)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    folder.write("Data.ini", "[Alarm]\r\nCount=5\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (std::ifstream(path))
        GTEST_SKIP() << "this user reads files without read permission";
    EXPECT_FALSE(ini::WriteIni(path, "Alarm", "DSnooze", "00:10"));
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(folder.read("Data.ini"), "[Alarm]\r\nCount=5\r\n");
}

TEST(IniWriteFile, ReplacementKeepsTheFilePermissions)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini");
    folder.write("Data.ini", "[A]\r\nX=1\r\n");
    const auto perms = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                       std::filesystem::perms::group_read;
    std::filesystem::permissions(path, perms);
    ASSERT_TRUE(ini::WriteIni(path, "A", "X", "2"));
    EXPECT_EQ(std::filesystem::status(path).permissions(), perms);
}

} // namespace
