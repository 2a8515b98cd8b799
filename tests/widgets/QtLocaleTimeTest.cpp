#include "platform/qt/QtLocaleTime.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace platform {
void PrintTo(const TimeOfDay& t, std::ostream* os)
{
    *os << t.hour << ":" << t.minute << ":" << t.second;
}
} // namespace platform

namespace {

using platform::TimeOfDay;

struct LocaleCase
{
    const char* locale;
    const char* stored;
    std::optional<TimeOfDay> time;
    const char* longText; // what the load shows for it
};

class QtLocaleTimeCases : public testing::TestWithParam<LocaleCase>
{
};

void PrintTo(const LocaleCase& c, std::ostream* os)
{
    *os << c.locale << " \"" << c.stored << '"';
}

TEST_P(QtLocaleTimeCases, ReadsStoredTimesAndWritesTheLongFormat)
{
    const LocaleCase& c = GetParam();
    const platform::QtLocaleTime localeTime{QLocale(QString::fromLatin1(c.locale))};
    const auto time = localeTime.parseTime(c.stored);
    EXPECT_EQ(time, c.time);
    if (time) {
        EXPECT_EQ(localeTime.longTimeText(*time), c.longText);
    }
}

const std::optional<TimeOfDay> invalid;

INSTANTIATE_TEST_SUITE_P(
    PinnedLocales, QtLocaleTimeCases,
    testing::Values(LocaleCase{"en_US", "7:00 AM", TimeOfDay{7, 0, 0}, "7:00:00 AM"},
                    LocaleCase{"en_US", "19:30", TimeOfDay{19, 30, 0}, "7:30:00 PM"},
                    LocaleCase{"en_US", "07:00:00", TimeOfDay{7, 0, 0}, "7:00:00 AM"},
                    LocaleCase{"en_US", "12:00 AM", TimeOfDay{0, 0, 0}, "12:00:00 AM"},
                    LocaleCase{"en_US", "12:05 pm", TimeOfDay{12, 5, 0}, "12:05:00 PM"},
                    LocaleCase{"en_US", "7:PM", TimeOfDay{19, 0, 0}, "7:00:00 PM"},
                    LocaleCase{"en_US", "1:5 p", TimeOfDay{13, 5, 0}, "1:05:00 PM"},
                    LocaleCase{"en_US", "7:00:00 AM", TimeOfDay{7, 0, 0}, "7:00:00 AM"},
                    LocaleCase{"en_US", "7:00:00\u202fPM", TimeOfDay{19, 0, 0}, "7:00:00 PM"},
                    LocaleCase{"en_US", "tea time", invalid, ""}, LocaleCase{"en_US", "", invalid, ""},
                    LocaleCase{"en_US", "13:00 PM", invalid, ""},
                    LocaleCase{"de_DE", "7:00 AM", TimeOfDay{7, 0, 0}, "07:00:00"},
                    LocaleCase{"de_DE", "7:30 pm", TimeOfDay{19, 30, 0}, "19:30:00"},
                    LocaleCase{"de_DE", "19:30", TimeOfDay{19, 30, 0}, "19:30:00"},
                    LocaleCase{"de_DE", "19:30:00", TimeOfDay{19, 30, 0}, "19:30:00"},
                    LocaleCase{"de_DE", "7:00:00 AM", TimeOfDay{7, 0, 0}, "07:00:00"},
                    LocaleCase{"de_DE", "24:00", invalid, ""}));

TEST(QtLocaleTime, LongFormatDropsTheZoneAndItsBrackets)
{
    const std::pair<const char*, const char*> cases[] = {
        {"h:mm:ss AP t", "h:mm:ss AP"},     {"HH:mm:ss t", "HH:mm:ss"},
        {"t HH:mm:ss", "HH:mm:ss"},         {"H:mm:ss (t)", "H:mm:ss"},
        {"H:mm:ss 'ч'. t", "H:mm:ss 'ч'."}, {"HH 'h' mm 'min' ss 's' t", "HH 'h' mm 'min' ss 's'"},
        {"HH:mm:ss tttt", "HH:mm:ss"},      {"HH:mm:ss 'at' t", "HH:mm:ss 'at'"}};
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(platform::QtLocaleTime::formatWithoutZone(QString::fromUtf8(format)),
                  QString::fromUtf8(expected))
            << format;
}

// Whatever a locale writes, the next load must read again as the same time: alarm deletion writes the
// long text back for every alarm it moves.
TEST(QtLocaleTime, EveryLongTextReadsBackUnderItsLocale)
{
    for (const char* name : {"en_US", "de_DE", "en_GB", "fr_FR", "fr_CA", "es_ES", "fa_IR", "ko_KR", "ja_JP",
                             "zh_CN", "ar_EG", "bg_BG", "hi_IN", "ta_IN", "C"}) {
        const platform::QtLocaleTime localeTime{QLocale(QString::fromLatin1(name))};
        for (int hour = 0; hour < 24; ++hour) {
            for (int minute : {0, 1, 30, 59}) {
                const TimeOfDay time{hour, minute, 0};
                const std::string text = localeTime.longTimeText(time);
                EXPECT_EQ(text.find("UTC"), std::string::npos) << name << " " << text;
                EXPECT_EQ(localeTime.parseTime(text), time) << name << " \"" << text << '"';
            }
        }
    }
}

TEST(QtLocaleTime, AbbreviatedDayNamesCountFromSunday)
{
    const platform::QtLocaleTime english{QLocale(QStringLiteral("en_US"))};
    const platform::QtLocaleTime german{QLocale(QStringLiteral("de_DE"))};
    EXPECT_EQ(english.abbreviatedDayName(1), "Sun");
    EXPECT_EQ(english.abbreviatedDayName(2), "Mon");
    EXPECT_EQ(english.abbreviatedDayName(7), "Sat");
    EXPECT_EQ(german.abbreviatedDayName(1), "So.");
    EXPECT_EQ(german.abbreviatedDayName(7), "Sa.");
    EXPECT_EQ(english.abbreviatedDayName(0), "");
    EXPECT_EQ(english.abbreviatedDayName(8), "");
}

} // namespace
