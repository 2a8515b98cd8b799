#include "fakes/TempFolder.h"
#include "store/ini.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct ReadCase
{
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::string expected; // "<default>" stands for the default
};

const std::string def = "<default>";

void PrintTo(const ReadCase& c, std::ostream* os)
{
    *os << c.name;
}

class IniRead : public testing::TestWithParam<ReadCase>
{
};

TEST_P(IniRead, GivesTheStoredValueOrTheDefault)
{
    const ReadCase& c = GetParam();
    fakes::TempFolder folder;
    folder.write("Data.ini", c.file);
    EXPECT_EQ(ini::ReadIni(folder.file("Data.ini"), c.section, c.key, def), c.expected);
    EXPECT_EQ(folder.read("Data.ini"), c.file) << "reading never changes the file";
}

const std::string longValue(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    Profile, IniRead,
    testing::Values(ReadCase{"Plain", "[Alarm]\r\nCount=3\r\n", "Alarm", "Count", "3"},
                    ReadCase{"MissingSection", "[Alarm]\r\nCount=3\r\n", "Alarm1", "Count", def},
                    ReadCase{"MissingKey", "[Alarm]\r\nCount=3\r\n", "Alarm", "DSnooze", def},
                    ReadCase{"EmptyValueIsNotTheDefault", "[Alarm]\r\nDSnooze=\r\n", "Alarm", "DSnooze", ""},
                    ReadCase{"EmptyFile", "", "Alarm", "Count", def},
                    ReadCase{"SectionCase", "[aLaRm1]\r\nTime=7:00 AM\r\n", "ALARM1", "Time", "7:00 AM"},
                    ReadCase{"KeyCase", "[Alarm1]\r\nTIME=7:00 AM\r\n", "Alarm1", "time", "7:00 AM"},
                    ReadCase{"NonAsciiCaseIsExact", "[Ä]\r\nk=1\r\n", "ä", "k", def},
                    ReadCase{"BlanksAroundEverything", " \t[ Alarm1 ]\t\r\n\t Memo \t= \t tea  time \t\r\n",
                             "Alarm1", "Memo", "tea  time"},
                    ReadCase{"RequestedNamesTrimmed", "[Alarm1]\r\nMemo=x\r\n", " Alarm1 ", " Memo\t", "x"},
                    ReadCase{"DoubleQuotesStripped", "[A]\r\nT=\"7:00 AM\"\r\n", "A", "T", "7:00 AM"},
                    ReadCase{"SingleQuotesStripped", "[A]\r\nT='7:00 AM'\r\n", "A", "T", "7:00 AM"},
                    ReadCase{"QuotesOutsideBlanks", "[A]\r\nT=  \" x \"  \r\n", "A", "T", " x "},
                    ReadCase{"OnlyOnePairStripped", "[A]\r\nT=\"\"x\"\"\r\n", "A", "T", "\"x\""},
                    ReadCase{"LoneQuoteKept", "[A]\r\nT=\"x\r\n", "A", "T", "\"x"},
                    ReadCase{"SingleQuoteCharKept", "[A]\r\nT=\"\r\n", "A", "T", "\""},
                    ReadCase{"MismatchedQuotesKept", "[A]\r\nT=\"x'\r\n", "A", "T", "\"x'"},
                    ReadCase{"EmptyQuotes", "[A]\r\nT=\"\"\r\n", "A", "T", ""},
                    ReadCase{"CommentLine", "[A]\r\n;T=1\r\nT=2\r\n", "A", "T", "2"},
                    ReadCase{"IndentedComment", "[A]\r\n  ;T=1\r\n", "A", "T", def},
                    ReadCase{"HashIsNoComment", "[A]\r\n#T=1\r\n", "A", "#T", "1"},
                    ReadCase{"SemicolonInValueKept", "[A]\r\nMemo=a ; b\r\n", "A", "Memo", "a ; b"},
                    ReadCase{"LineWithoutEqualsIsNoKey", "[A]\r\nT\r\n", "A", "T", def},
                    ReadCase{"EqualsInValueKept", "[A]\r\nT=a=b\r\n", "A", "T", "a=b"},
                    ReadCase{"TextAfterHeader", "[A] trailing ; x\r\nT=1\r\n", "A", "T", "1"},
                    ReadCase{"HeaderWithoutCloseIgnored", "[A]\r\n[B\r\nT=1\r\n", "A", "T", "1"},
                    ReadCase{"HeaderWithoutCloseNamesNothing", "[B\r\nT=1\r\n", "B", "T", def},
                    ReadCase{"KeysBeforeAnySection", "T=1\r\n[A]\r\n", "A", "T", def},
                    ReadCase{"FirstSectionCounts", "[A]\r\nX=1\r\n[B]\r\n[a]\r\nT=2\r\n", "A", "T", def},
                    ReadCase{"FirstKeyCounts", "[A]\r\nT=1\r\nt=2\r\n", "A", "T", "1"},
                    ReadCase{"LfOnly", "[A]\nT=1\nU=2\n", "A", "U", "2"},
                    ReadCase{"CrOnly", "[A]\rT=1\rU=2\r", "A", "U", "2"},
                    ReadCase{"MixedEndings", "[A]\r\nT=1\rU=2\nV=3", "A", "V", "3"},
                    ReadCase{"NoFinalNewline", "[A]\r\nT=1", "A", "T", "1"},
                    ReadCase{"ByteOrderMark", "\xEF\xBB\xBF[Alarm]\r\nCount=2\r\n", "Alarm", "Count", "2"},
                    ReadCase{"Utf8PassesThrough", "[A]\r\nMemo=Café ☕\r\n", "A", "Memo", "Café ☕"},
                    ReadCase{"CutTo254", "[A]\r\nMemo=" + longValue + "\r\n", "A", "Memo",
                             longValue.substr(0, 254)},
                    ReadCase{"254Kept", "[A]\r\nMemo=" + longValue.substr(0, 254) + "\r\n", "A", "Memo",
                             longValue.substr(0, 254)},
                    // 253 ASCII bytes then a 2-byte character across the limit: the character goes whole.
                    ReadCase{"CutBeforeSplitCharacter", "[A]\r\nMemo=" + std::string(253, 'x') + "é\r\n", "A",
                             "Memo", std::string(253, 'x')},
                    ReadCase{"CutAfterWholeCharacter", "[A]\r\nMemo=" + std::string(252, 'x') + "éz\r\n", "A",
                             "Memo", std::string(252, 'x') + "é"},
                    ReadCase{"CutBeforeFourByteCharacter", "[A]\r\nMemo=" + std::string(252, 'x') + "😀\r\n",
                             "A", "Memo", std::string(252, 'x')},
                    ReadCase{"CutAfterQuotesRemoved", "[A]\r\nMemo=\"" + longValue + "\"\r\n", "A", "Memo",
                             longValue.substr(0, 254)},
                    ReadCase{"NulBytesPassThrough", "[A]\r\nT=a\0b\r\n"s, "A", "T", "a\0b"s},
                    ReadCase{"EmptyKeyNameIsNoKey", "[A]\r\n=1\r\n", "A", "", def}),
    [](const testing::TestParamInfo<ReadCase>& row) { return std::string(row.param.name); });

TEST(IniReadFile, AbsentFileOrFolderGivesTheDefault)
{
    fakes::TempFolder folder;
    EXPECT_EQ(ini::ReadIni(folder.file("Data.ini"), "Alarm", "Count", "0"), "0");
    EXPECT_EQ(ini::ReadIni(folder.path(), "Alarm", "Count", "0"), "0");
    EXPECT_EQ(ini::ReadIni(folder.file("no/such/Data.ini"), "Alarm", "Count", "0"), "0");
}

TEST(IniReadFile, HugeLineAndBinaryBytesReadWithoutTrouble)
{
    fakes::TempFolder folder;
    std::string bytes = "[A]\r\nBig=" + std::string(10 * 1024 * 1024, 'y') + "\r\n";
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    bytes += "\r\n[B]\r\nK=v\r\n";
    folder.write("Data.ini", bytes);
    EXPECT_EQ(ini::ReadIni(folder.file("Data.ini"), "A", "Big", ""), std::string(254, 'y'));
    EXPECT_EQ(ini::ReadIni(folder.file("Data.ini"), "B", "K", ""), "v");
}

} // namespace
