// The editor's checks without any window: the time box check and its repairs, the day set both ways, and
// the promise that every time the check accepts loads again as the time the user meant.
#include "fakes/FakeLocaleTime.h"
#include "platform/TextTrim.h"
#include "platform/TimeText.h"
#include "platform/qt/QtLocaleTime.h"
#include "ui/editor/TimeEntry.h"

#include <QTest>

class TimeEntryTest : public QObject
{
    Q_OBJECT
private slots:
    void validTime_data();
    void validTime();
    void daySetsAndLongTexts();
};

void TimeEntryTest::validTime_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("boxAfter"); // the time box after the check: what OK stores
    QTest::addColumn<QString>("meant");    // the time it loads as, 24-hour; empty: refused
    // The refusals the time check shares with the load are rows of TimeText's test; here those it makes
    // itself.
    const char* const rows[][3] = {{"7:30 PM", "", "19:30"},
                                   {"  11:59 pm  ", "", "23:59"},
                                   {"12:00 AM", "", "00:00"},
                                   {"7.:.5 A.M.", "", "07:00"},
                                   {"+7:4. Pm tonight", "", "19:04"},
                                   {"7:PM", "7:00PM", "19:00"},
                                   {"7: PM", "7:00 PM", "19:00"},
                                   {" 7:pm", " 7:00pm", "19:00"},
                                   {":30 PM", "00:30 PM", ""},
                                   {"7:60 PM", "", ""},
                                   {"7:30 PA", "", ""},
                                   {"", "", ""}};
    for (const auto& row : rows)
        QTest::newRow(row[0]) << row[0] << (*row[1] ? row[1] : row[0]) << row[2];
}

void TimeEntryTest::validTime()
{
    QFETCH(QString, typed);
    QFETCH(QString, boxAfter);
    QFETCH(QString, meant);
    std::string text = typed.toStdString();
    std::string box = text;
    QCOMPARE(editor::ValidTime(text, box), !meant.isEmpty());
    QCOMPARE(QString::fromStdString(box), boxAfter);
    QCOMPARE(QString::fromStdString(text), typed.trimmed().toUpper());
    if (meant.isEmpty())
        return;
    // The load reads the stored box the same under every locale, two that write time differently included.
    const fakes::FakeLocaleTime plain;
    const platform::QtLocaleTime english(QLocale(QLocale::English, QLocale::UnitedStates));
    const platform::QtLocaleTime german(QLocale(QLocale::German, QLocale::Germany));
    const platform::LocaleTime* const readers[] = {&plain, &english, &german};
    for (const platform::LocaleTime* reader : readers) {
        const auto time = reader->parseTime(box);
        QVERIFY(time);
        QCOMPARE(QString::asprintf("%02d:%02d", time->hour, time->minute), meant);
    }
}

// Day sets in any order, with repeats and other characters: only "1" to "7" mark a box, written back
// ascending. Long texts are cut before a character that would not fit whole in the stored 254 bytes.
void TimeEntryTest::daySetsAndLongTexts()
{
    QCOMPARE(editor::GetType(editor::daysOfType("7531,3;8 9 0x7")), std::string("1357"));
    QCOMPARE(editor::GetType(editor::daysOfType("")), std::string());
    const QByteArray euros = QString(100, QChar(0x20AC)).toUtf8();
    QCOMPARE(platform::text::cutUtf8(euros.toStdString()).size(), std::size_t{252});
    QCOMPARE(platform::text::cutUtf8("x" + euros.toStdString()).size(), std::size_t{253});
}

QTEST_GUILESS_MAIN(TimeEntryTest)
#include "tst_timeentry.moc"
