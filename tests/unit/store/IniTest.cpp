// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ini.h"
#include "fakes/TempFolder.h"

#include <filesystem>
#include <sstream>
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
    const std::pair<std::string, std::string> cases[] = {
        {x300, x300.substr(0, 254)}, {'"' + x300 + '"', x300.substr(0, 254)},
        {x253 + "é", x253},          {x252 + "éz", x252 + "é"},
        {x252 + "😀", x252},          {x253 + "\x80\x80", x253 + "\x80"}};
    fakes::TempFolder folder;
    for (const auto& [stored, read] : cases) {
        folder.write("Data.ini", "[A]\r\nMemo=" + stored + "\r\n");
        EXPECT_EQ(ini::ReadIni(folder.file("Data.ini"), "A", "Memo", "<d>"), read) << stored;
    }
    // No file, a folder, a missing folder.
    for (const std::string& path : {folder.file("none.ini"), folder.path(), folder.file("no/Data.ini")})
        EXPECT_EQ(ini::ReadIni(path, "Alarm", "Count", "0"), "0");
}

// One replacement for several keys: the same file as one WriteIni per key, which changes only its key.
TEST(WriteIni, ChangesOnlyTheKeyAndKeepsTheRestOfTheFile)
{
    // Rows "file before|writes|file after~", writes "section/key=value" joined by '&', "-" for no file yet.
    std::istringstream rows(
        "-|Alarm/Count=1|[Alarm]\r\nCount=1\r\n~|Alarm/Count=1&alarm/count=2|[Alarm]\r\nCount=2\r\n~"
        "[Alarm]\r\nCount=1\r\n\r\n|Alarm1/State=1|[Alarm]\r\nCount=1\r\n\r\n[Alarm1]\r\nState=1\r\n~"
        "[A]\r\nX=1\r\n\r\n; about B\r\n[B]\r\nY=2\r\n|A/Z=3|[A]\r\nX=1\r\nZ=3\r\n\r\n; about "
        "B\r\n[B]\r\nY=2\r\n~"
        "[A]\r\n[B]\r\n|A/Z=3&B/Y=4|[A]\r\nZ=3\r\n[B]\r\nY=4\r\n~"
        "[A]\r\n; x\r\nX=1\r\n; y\r\n|A/Z=3|[A]\r\n; x\r\nX=1\r\nZ=3\r\n; y\r\n~"
        "; top\r\n[alarm1]\r\nX=1\r\n  tIMe = 7:00 AM  \r\nY=2\r\n|Alarm1/Time=8:15 PM|; "
        "top\r\n[alarm1]\r\nX=1\r\n  tIMe = 8:15 PM\r\nY=2\r\n~"
        "[A]\r\nK =  old  \r\nT=\"x\"\r\n|A/K= new &A/T=|[A]\r\nK = new \r\nT=\r\n~"
        "-|A/Memo=one\r\ntwo\rthree\n|[A]\r\nMemo=one  two three \r\n~"
        "[A]\r\nX=1\r\n[B]\r\n[A]\r\nT=old\r\nT=2\r\n|A/"
        "T=new|[A]\r\nX=1\r\nT=new\r\n[B]\r\n[A]\r\nT=old\r\nT=2\r\n~"
        "[A]\nX=1|B/Y=2&A/Z=3|[A]\nX=1\nZ=3\n[B]\nY=2\n~[A]\rX=1\r|A/Y=2|[A]\rX=1\rY=2\r~"
        "[A]\rX=1\n\n[B]\r|A/K=v|[A]\rX=1\nK=v\r\n\n[B]\r~[A]\r\nX=1|A/X=2|[A]\r\nX=2~"
        "\xEF\xBB\xBF|A/X=1|\xEF\xBB\xBF[A]\r\nX=1\r\n~-|A/Memo=" +
        x300 + "é|[A]\r\nMemo=" + x300 +
        "é\r\n~junk\r\n[A]\r\n\x01\0\r\n[x\r\n|A/K=v|junk\r\n[A]\r\n\x01\0\r\n[x\r\nK=v\r\n~"s);
    fakes::TempFolder folder;
    for (std::string before, list, after; std::getline(rows, before, '|');) {
        std::getline(rows, list, '|');
        std::getline(rows, after, '~');
        std::vector<ini::KeyWrite> writes;
        std::istringstream in(list);
        for (std::string w; std::getline(in, w, '&');)
            writes.push_back({w.substr(0, w.find('/')),
                              w.substr(w.find('/') + 1, w.find('=') - w.find('/') - 1),
                              w.substr(w.find('=') + 1)});
        for (const char* name : {"batch.ini", "single.ini"}) {
            fs::remove(folder.file(name));
            if (before != "-")
                folder.write(name, before);
        }
        ASSERT_TRUE(ini::WriteIniKeys(folder.file("batch.ini"), writes));
        for (const auto& w : writes)
            ASSERT_TRUE(ini::WriteIni(folder.file("single.ini"), w.section, w.key, w.value));
        EXPECT_EQ(folder.read("batch.ini"), after) << before;
        EXPECT_EQ(folder.read("single.ini"), after) << before;
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
