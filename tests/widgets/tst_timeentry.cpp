// The editor's checks without any window: the time box check and its repairs, the day set both ways,
// and the promise that every time the check accepts loads again as the time the user meant.
#include "fakes/FakeLocaleTime.h"
#include "platform/TimeText.h"
#include "platform/qt/QtLocaleTime.h"
#include "ui/editor/TimeEntry.h"

#include <QTest>

#include <optional>

using platform::TimeOfDay;

class TimeEntryTest : public QObject
{
    Q_OBJECT
private slots:
    void validTime_data();
    void validTime();
    void acceptedTextsLoadAsMeant();
    void storedDaySetsMarkBoxes_data();
    void storedDaySetsMarkBoxes();
    void utf8Limit_data();
    void utf8Limit();
};

void TimeEntryTest::validTime_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("boxAfter"); // the time box after the check: what OK stores
    // The time each accepted text means is checked by acceptedTextsLoadAsMeant. "7:30 AP": the first A wins
    // over P; "7:30 Pm tonight": nothing after the letter is read.
    for (const char* typed :
         {"7:30 PM", "7:30PM", "07:05 am", "12:00 AM", "12:00 PM", "1:5 p", "  11:59 pm  ", "7:30 A.M.",
          "7.:30 PM", "7:.5 AM", "7:30 AP", "7:30 Pm tonight"})
        QTest::newRow(typed) << typed << true << typed;
    // "7:30 PA": the A is looked for first and leaves "30 P" as minutes; "7:00:00 AM": the long time text an
    // alarm move writes back.
    for (const char* typed : {"7:30", "7:30 XYZ", "13:00 PM", "0:30 AM", "7:60 PM", "7 PM", "123:00 PM",
                              "7:300 PM", "ab:30 PM", "7:xy PM", "7:30 PA", "", "Time", "7:00:00 AM"})
        QTest::newRow(typed) << typed << false << typed;
    // The two repairs, which stay in the box even when the time fails.
    QTest::newRow(":30 PM") << ":30 PM" << false << "00:30 PM";
    QTest::newRow("7:PM") << "7:PM" << true << "7:00PM";
    QTest::newRow("7: PM") << "7: PM" << true << "7:00 PM";
    QTest::newRow(" 7:pm") << " 7:pm" << true << " 7:00pm";
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
    QCOMPARE(QString::fromStdString(text), typed.trimmed().toUpper()); // the copy, trimmed and upper-cased
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
                    const auto colon = text.find(':');
                    const double h = *platform::timetext::readNumber(text.substr(0, colon));
                    const bool am = text.find('A', colon) != std::string::npos;
                    const std::string minutePart = QString::fromUtf8(minute).trimmed().toStdString();
                    const long m =
                        minutePart.empty()
                            ? 0
                            : platform::timetext::roundHalfEven(*platform::timetext::readNumber(minutePart));
                    const TimeOfDay meant{static_cast<int>(h) % 12 + (am ? 0 : 12), static_cast<int>(m), 0};

                    QVERIFY2(platform::timetext::parseTwelveHour(box) == meant,
                             ("does not load, or as another time: \"" + box + "\"").c_str());
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

// Any order, repeats and other characters; only "1" to "7" mark a box, and the set is written back ascending.
void TimeEntryTest::storedDaySetsMarkBoxes_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("writtenBack");
    QTest::newRow("7531") << "7531"
                          << "1357";
    QTest::newRow("repeats") << "2255"
                             << "25";
    QTest::newRow("other characters") << "1,3;8 9 0x7"
                                      << "137";
    QTest::newRow("empty") << ""
                           << "";
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
    QTest::newRow("exactly 254") << QString(254, QLatin1Char('x')) << 254;
    // 300 ASCII and 200 two-byte characters are cut in tst_editor's longTextIsCutVisibly.
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
