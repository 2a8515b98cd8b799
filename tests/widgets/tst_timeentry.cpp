// The editor's checks without any window: the time box check and its repairs, the day set both ways,
// and the promise that every time the check accepts loads again as the time the user meant.
#include "fakes/FakeLocaleTime.h"
#include "platform/TimeText.h"
#include "platform/qt/QtLocaleTime.h"
#include "ui/editor/TimeEntry.h"

#include <QTest>

#include <optional>

using platform::TimeOfDay;

Q_DECLARE_METATYPE(std::string)

class TimeEntryTest : public QObject
{
    Q_OBJECT
private slots:
    void validTime_data();
    void validTime();
    void acceptedTextsLoadAsMeant();
    void upperCasesAndTrimsTheCopy();
    void getType_data();
    void getType();
    void storedDaySetsMarkBoxes_data();
    void storedDaySetsMarkBoxes();
    void utf8Limit_data();
    void utf8Limit();
};

void TimeEntryTest::validTime_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<int>("hour"); // 24-hour time meant, for valid rows
    QTest::addColumn<int>("minute");

    auto row = [](const char* typed, bool valid, const char* boxAfter = nullptr, int hour = -1,
                  int minute = -1) {
        QTest::newRow(typed) << QString::fromUtf8(typed) << valid
                             << QString::fromUtf8(boxAfter != nullptr ? boxAfter : typed) << hour << minute;
    };
    row("7:30 PM", true, nullptr, 19, 30);
    row("7:30PM", true, nullptr, 19, 30);
    row("07:05 am", true, nullptr, 7, 5);
    row("12:00 AM", true, nullptr, 0, 0);
    row("12:00 PM", true, nullptr, 12, 0);
    row("1:5 p", true, nullptr, 13, 5);
    row("  11:59 pm  ", true, nullptr, 23, 59);
    row("7:30 A.M.", true, nullptr, 7, 30);
    row("7:30 AP", true, nullptr, 7, 30); // the first A wins over P
    row("7.:30 PM", true, nullptr, 19, 30);
    row("7:.5 AM", true, nullptr, 7, 0);           // half a minute rounds to the even 0
    row("7:30 Pm tonight", true, nullptr, 19, 30); // nothing after the letter is read

    row("7:30", false);
    row("7:30 XYZ", false);
    row("13:00 PM", false);
    row("0:30 AM", false);
    row("7:60 PM", false);
    row("7 PM", false);
    row("123:00 PM", false);
    row("7:300 PM", false);
    row("7:30:15 PM", false);
    row("ab:30 PM", false);
    row("7:xy PM", false);
    row("7:30 PA", false);    // the A is looked for first and leaves "30 P" as minutes
    row("7:30 Pizza", false); // likewise: the A of "PIZZA"
    row("", false);
    row("Time", false);
    row("7:00:00 AM", false); // the long time text an alarm move writes back

    row(":30 PM", false, "00:30 PM");
    row("7:PM", true, "7:00PM", 19, 0);
    row("7: PM", true, "7:00 PM", 19, 0);
    row(" 7:pm", true, " 7:00pm", 19, 0);
}

void TimeEntryTest::validTime()
{
    QFETCH(QString, typed);
    QFETCH(bool, valid);
    QFETCH(QString, boxAfter);

    std::string text = typed.toStdString();
    std::string box = text;
    QCOMPARE(editor::ValidTime(text, box), valid);
    QCOMPARE(QString::fromStdString(box), boxAfter);
}

// The box's text after the check is what OK stores; the load must read it as the same time.
void TimeEntryTest::acceptedTextsLoadAsMeant()
{
    fakes::FakeLocaleTime locale;
    // The load reads stored times the same under every locale; two that write time differently.
    const platform::QtLocaleTime english(QLocale(QLocale::English, QLocale::UnitedStates));
    const platform::QtLocaleTime german(QLocale(QLocale::German, QLocale::Germany));
    // A grid of hour parts, minute parts and markers, including every form that reads oddly as a number.
    const char* hours[] = {"",   "1",  "7",  "07", "12", "13", "0",  "7.",
                           ".5", "+7", "-1", " 7", "7 ", "x",  "123"};
    const char* minutes[] = {"",   "0",  "5",  "05", "59", "60",  ".5", "1.",
                             "+5", "-0", "5 ", " 5", "xy", "300", "4."};
    const char* gaps[] = {"", " ", "  "};
    const char* markers[] = {"AM", "PM", "am", "pm", "a", "p", "A.M.", "AP", "PA", "XYZ", "", "Pm later"};
    int accepted = 0;
    for (const char* hour : hours) {
        for (const char* minute : minutes) {
            for (const char* gap : gaps) {
                for (const char* marker : markers) {
                    const std::string typed = std::string(gap) + hour + ":" + minute + gap + marker + gap;
                    std::string text = typed;
                    std::string box = typed;
                    if (!editor::ValidTime(text, box))
                        continue;
                    ++accepted;
                    // The time meant: the hour's value, the minute rounded half to even, the half of the day
                    // from the marker's first A (else P).
                    const std::string upper = text;
                    const auto colon = upper.find(':');
                    const double h = *platform::timetext::readNumber(upper.substr(0, colon));
                    const bool am = upper.find('A', colon) != std::string::npos;
                    std::string minutePart = minute;
                    minutePart.erase(0, minutePart.find_first_not_of(' '));
                    minutePart.erase(minutePart.find_last_not_of(' ') + 1);
                    const long m =
                        minutePart.empty()
                            ? 0
                            : platform::timetext::roundHalfEven(*platform::timetext::readNumber(minutePart));
                    const TimeOfDay meant{static_cast<int>(h) % 12 + (am ? 0 : 12), static_cast<int>(m), 0};

                    const auto parsed = platform::timetext::parseTwelveHour(box);
                    QVERIFY2(parsed.has_value(), ("does not load: \"" + box + "\"").c_str());
                    QVERIFY2(*parsed == meant, ("loads as another time: \"" + box + "\"").c_str());
                    for (const platform::LocaleTime* reader :
                         std::initializer_list<const platform::LocaleTime*>{&locale, &english, &german}) {
                        QVERIFY2(reader->parseTime(box) == meant,
                                 ("a locale reads otherwise: \"" + box + "\"").c_str());
                    }
                }
            }
        }
    }
    QVERIFY(accepted > 100);
}

void TimeEntryTest::upperCasesAndTrimsTheCopy()
{
    std::string text = "  7:30 pm ";
    std::string box = text;
    QVERIFY(editor::ValidTime(text, box));
    QCOMPARE(text, std::string("7:30 PM"));
    QCOMPARE(box, std::string("  7:30 pm "));
}

void TimeEntryTest::getType_data()
{
    QTest::addColumn<QString>("marked"); // digits of the marked boxes, in any order
    QTest::addColumn<QString>("type");
    QTest::newRow("Mon Wed Fri") << "642"
                                 << "246";
    QTest::newRow("every day") << "7654321"
                               << "1234567";
    QTest::newRow("none") << ""
                          << "";
    QTest::newRow("Sun and Sat") << "71"
                                 << "17";
}

void TimeEntryTest::getType()
{
    QFETCH(QString, marked);
    QFETCH(QString, type);
    editor::DayBoxes boxes{};
    for (const QChar digit : marked)
        boxes[static_cast<std::size_t>(digit.digitValue() - 1)] = true;
    QCOMPARE(QString::fromStdString(editor::GetType(boxes)), type);
}

void TimeEntryTest::storedDaySetsMarkBoxes_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("writtenBack");
    QTest::newRow("7531") << "7531"
                          << "1357";
    QTest::newRow("repeats") << "2255"
                             << "25";
    QTest::newRow("other characters") << "1,3;9 0x7"
                                      << "137";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("nothing usable") << "890"
                                    << "";
    QTest::newRow("every day") << "1234567"
                               << "1234567";
}

void TimeEntryTest::storedDaySetsMarkBoxes()
{
    QFETCH(QString, stored);
    QFETCH(QString, writtenBack);
    QCOMPARE(QString::fromStdString(editor::GetType(editor::daysOfType(stored.toStdString()))), writtenBack);
}

void TimeEntryTest::utf8Limit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kept");
    QTest::newRow("short") << QString(10, QLatin1Char('x')) << 10;
    QTest::newRow("exactly 254") << QString(254, QLatin1Char('x')) << 254;
    QTest::newRow("300 ASCII") << QString(300, QLatin1Char('x')) << 254;
    // "é" takes two bytes: 127 of them fill 254 bytes exactly.
    QTest::newRow("two-byte") << QString(200, QChar(0xE9)) << 254;
    // "€" takes three: 84 fit in 252 bytes, the 85th would be cut in two.
    QTest::newRow("three-byte") << QString(100, QChar(0x20AC)) << 252;
    QTest::newRow("one ASCII then three-byte") << QLatin1String("x") + QString(100, QChar(0x20AC)) << 253;
}

void TimeEntryTest::utf8Limit()
{
    QFETCH(QString, text);
    QFETCH(int, kept);
    const QByteArray utf8 = text.toUtf8();
    const std::string bytes(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    QCOMPARE(editor::utf8PrefixLength(bytes, editor::maxStoredBytes), static_cast<std::size_t>(kept));
}

QTEST_GUILESS_MAIN(TimeEntryTest)
#include "tst_timeentry.moc"
