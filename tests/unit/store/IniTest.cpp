// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ini.h"
#include "fakes/TempFolder.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

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
    {.name = "replaced in place, spelling and indent kept",
     .before = "; top\r\n[alarm1]\r\nX=1\r\n  tIMe = 7:00 AM  \r\nY=2\r\n",
     .writes = {{"Alarm1", "Time", "8:15 PM"}},
     .after = "; top\r\n[alarm1]\r\nX=1\r\n  tIMe = 8:15 PM\r\nY=2\r\n"},
    {.name = "indented section header",
     .before = "  [A]\r\nX=1\r\n",
     .writes = {{"A", "X", "2"}},
     .after = "  [A]\r\nX=2\r\n"},
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
    {.name = "removed with its line ending, every line of its name",
     .before = "[A]\r\nX=1\r\n  date = 1\r\nY=2\r\nDATE=3",
     .writes = {{.section = "A", .key = "Date", .remove = true}},
     .after = "[A]\r\nX=1\r\nY=2\r\n"},
    {.name = "removing what is not there changes nothing",
     .before = "[A]\nX=1",
     .writes = {{.section = "B", .key = "Y", .remove = true}, {.section = "A", .key = "Z", .remove = true}},
     .after = "[A]\nX=1"},
    {.name = "removed, then set again at the end of its section",
     .before = "[A]\nSkip=1\nX=1\n[B]\n",
     .writes = {{.section = "A", .key = "Skip", .remove = true}, {"A", "Skip", "2"}},
     .after = "[A]\nX=1\nSkip=2\n[B]\n"},
    {.name = "set, then removed before the file is written",
     .before = "[A]\nX=1\n",
     .writes = {{"A", "Date", "2"}, {"C", "Date", "3"}, {.section = "A", .key = "Date", .remove = true}},
     .after = "[A]\nX=1\n[C]\nDate=3\n"},
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
            ASSERT_TRUE(w.remove ? ini::WriteIniKeys(folder.file("single.ini"), {w})
                                 : ini::WriteIni(folder.file("single.ini"), w.section, w.key, w.value));
        EXPECT_EQ(folder.read("batch.ini"), c.after);
        EXPECT_EQ(folder.read("single.ini"), c.after);
    }
    EXPECT_TRUE(ini::WriteIniKeys(folder.file("none.ini"), {}));
    EXPECT_FALSE(fs::exists(folder.file("none.ini")));
}

// A name that cannot stand in the file, a missing folder, a folder in the way: false, and the old file whole
// with no temporary left beside it.
TEST(WriteIni, FailuresKeepTheOldFile)
{
    fakes::TempFolder folder;
    const std::string path = folder.file("Data.ini"), old = "[Alarm]\r\nCount=5\r\n";
    folder.write("Data.ini", old);
    for (const auto& [section, key] : {std::pair{"", "K"}, {"A", "K=V"}}) {
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
