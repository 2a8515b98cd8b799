// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ini.h"
#include "fakes/TempFolder.h"

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

const std::string x300(300, 'x');

// Values are cut to 254 bytes, never through a UTF-8 character (bytes that are no UTF-8 are cut where the
// count ends). The other reading rules are those of the system's profile functions, which the Windows build
// compares with the real ones.
TEST(ReadIni, CutsLongValuesAtWholeCharactersAndDefaultsWithoutAFile)
{
    const std::string x253(253, 'x'), x252(252, 'x');
    struct Value
    {
        std::string stored, read;
    };
    const Value cases[] = {
        {.stored = x300, .read = x300.substr(0, 254)},
        {.stored = '"' + x300 + '"', .read = x300.substr(0, 254)},
        {.stored = x253 + "é", .read = x253},
        {.stored = x252 + "éz", .read = x252 + "é"},
        {.stored = x252 + "😀", .read = x252},
        {.stored = x253 + "\x80\x80", .read = x253 + "\x80"},
    };
    fakes::TempFolder folder;
    for (const Value& c : cases) {
        folder.write("Data.ini", "[A]\r\nMemo=" + c.stored + "\r\n");
        EXPECT_EQ(ini::ReadIni(folder.file("Data.ini"), "A", "Memo", "<d>"), c.read) << c.stored;
    }
    // No file, a folder, a missing folder.
    for (const std::string& path : {folder.file("none.ini"), folder.path(), folder.file("no/Data.ini")})
        EXPECT_EQ(ini::ReadIni(path, "Alarm", "Count", "0"), "0");
}

// One replacement for several keys: the same file as one WriteIni per key, which changes only its key.
struct Write
{
    const char* name;
    std::string before; // "-": no file yet
    std::vector<ini::KeyWrite> writes;
    std::string after;
};
const Write writes[] = {
    {.name = "new file",
     .before = "-",
     .writes = {{"Alarm", "Count", "1"}},
     .after = "[Alarm]\r\nCount=1\r\n"},
    {.name = "key and section in any case",
     .before = "-",
     .writes = {{"Alarm", "Count", "1"}, {"alarm", "count", "2"}},
     .after = "[Alarm]\r\nCount=2\r\n"},
    {.name = "new section after the blank line",
     .before = "[Alarm]\r\nCount=1\r\n\r\n",
     .writes = {{"Alarm1", "State", "1"}},
     .after = "[Alarm]\r\nCount=1\r\n\r\n[Alarm1]\r\nState=1\r\n"},
    {.name = "new key before the blank and the next section's comment",
     .before = "[A]\r\nX=1\r\n\r\n; about B\r\n[B]\r\nY=2\r\n",
     .writes = {{"A", "Z", "3"}},
     .after = "[A]\r\nX=1\r\nZ=3\r\n\r\n; about B\r\n[B]\r\nY=2\r\n"},
    {.name = "empty sections",
     .before = "[A]\r\n[B]\r\n",
     .writes = {{"A", "Z", "3"}, {"B", "Y", "4"}},
     .after = "[A]\r\nZ=3\r\n[B]\r\nY=4\r\n"},
    {.name = "new key after the last key, not after a comment",
     .before = "[A]\r\n; x\r\nX=1\r\n; y\r\n",
     .writes = {{"A", "Z", "3"}},
     .after = "[A]\r\n; x\r\nX=1\r\nZ=3\r\n; y\r\n"},
    {.name = "replaced in place, spelling and indent kept",
     .before = "; top\r\n[alarm1]\r\nX=1\r\n  tIMe = 7:00 AM  \r\nY=2\r\n",
     .writes = {{"Alarm1", "Time", "8:15 PM"}},
     .after = "; top\r\n[alarm1]\r\nX=1\r\n  tIMe = 8:15 PM\r\nY=2\r\n"},
    {.name = "blanks around the equals sign",
     .before = "[A]\r\nK =  old  \r\nT=\"x\"\r\n",
     .writes = {{"A", "K", " new "}, {"A", "T", ""}},
     .after = "[A]\r\nK = new \r\nT=\r\n"},
    {.name = "line breaks in a value become blanks",
     .before = "-",
     .writes = {{"A", "Memo", "one\r\ntwo\rthree\n"}},
     .after = "[A]\r\nMemo=one  two three \r\n"},
    {.name = "only the first of repeated sections and keys",
     .before = "[A]\r\nX=1\r\n[B]\r\n[A]\r\nT=old\r\nT=2\r\n",
     .writes = {{"A", "T", "new"}},
     .after = "[A]\r\nX=1\r\nT=new\r\n[B]\r\n[A]\r\nT=old\r\nT=2\r\n"},
    {.name = "line feeds only, no final one",
     .before = "[A]\nX=1",
     .writes = {{"B", "Y", "2"}, {"A", "Z", "3"}},
     .after = "[A]\nX=1\nZ=3\n[B]\nY=2\n"},
    {.name = "carriage returns only",
     .before = "[A]\rX=1\r",
     .writes = {{"A", "Y", "2"}},
     .after = "[A]\rX=1\rY=2\r"},
    {.name = "mixed line ends",
     .before = "[A]\rX=1\n\n[B]\r",
     .writes = {{"A", "K", "v"}},
     .after = "[A]\rX=1\nK=v\r\n\n[B]\r"},
    {.name = "no final line end", .before = "[A]\r\nX=1", .writes = {{"A", "X", "2"}}, .after = "[A]\r\nX=2"},
    {.name = "byte order mark",
     .before = "\xEF\xBB\xBF",
     .writes = {{"A", "X", "1"}},
     .after = "\xEF\xBB\xBF[A]\r\nX=1\r\n"},
    {.name = "a long value is written whole",
     .before = "-",
     .writes = {{"A", "Memo", x300 + "é"}},
     .after = "[A]\r\nMemo=" + x300 + "é\r\n"},
    {.name = "junk and control bytes kept",
     .before = "junk\r\n[A]\r\n\x01\0\r\n[x\r\n"s,
     .writes = {{"A", "K", "v"}},
     .after = "junk\r\n[A]\r\n\x01\0\r\n[x\r\nK=v\r\n"s},
};

TEST(WriteIni, ChangesOnlyTheKeyAndKeepsTheRestOfTheFile)
{
    fakes::TempFolder folder;
    for (const Write& c : writes) {
        SCOPED_TRACE(c.name);
        for (const char* name : {"batch.ini", "single.ini"}) {
            fs::remove(folder.file(name));
            if (c.before != "-")
                folder.write(name, c.before);
        }
        ASSERT_TRUE(ini::WriteIniKeys(folder.file("batch.ini"), c.writes));
        for (const auto& w : c.writes)
            ASSERT_TRUE(ini::WriteIni(folder.file("single.ini"), w.section, w.key, w.value));
        EXPECT_EQ(folder.read("batch.ini"), c.after);
        EXPECT_EQ(folder.read("single.ini"), c.after);
    }
    EXPECT_TRUE(ini::WriteIniKeys(folder.file("none.ini"), {}));
    EXPECT_FALSE(fs::exists(folder.file("none.ini")));
#ifdef _WIN32
    GTEST_SKIP() << "the rest checks POSIX permissions and the umask; Windows has access lists instead";
#else
    fs::permissions(folder.file("batch.ini"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(ini::WriteIni(folder.file("batch.ini"), "A", "K", "w")); // the permissions stay
    EXPECT_EQ(fs::status(folder.file("batch.ini")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    const mode_t mask = ::umask(027); // a new file gets what the umask allows
    ASSERT_TRUE(ini::WriteIni(folder.file("new.ini"), "A", "K", "v"));
    ::umask(mask);
    EXPECT_EQ(fs::status(folder.file("new.ini")).permissions(), static_cast<fs::perms>(0640));
#endif
}

// A name that cannot stand in the file, a missing folder, a folder in the way: false, and the old file whole
// with no temporary left beside it.
TEST(WriteIni, FailuresKeepTheOldFile)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini"), old = "[Alarm]\r\nCount=5\r\n";
    folder.write("Data.ini", old);
    for (const auto& [section, key] :
         {std::pair{"", "K"}, {"A]", "K"}, {"A", "K=V"}, {"A", "K\n"}, {"A", ";K"}}) {
        EXPECT_FALSE(ini::WriteIni(path, section, key, "v")) << section << "/" << key;
        EXPECT_FALSE(ini::WriteIniKeys(path, {{"Alarm", "Count", "2"}, {section, key, "v"}})) << key;
    }
    EXPECT_FALSE(ini::WriteIni(folder.file("gone/Data.ini"), "A", "K", "v"));
    fs::create_directory(folder.file("dir.ini"));
    EXPECT_FALSE(ini::WriteIni(folder.file("dir.ini"), "A", "K", "v"));
    fs::remove(folder.file("dir.ini"));
    EXPECT_EQ(folder.read("Data.ini"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1) << "no temporary left";
}

} // namespace
