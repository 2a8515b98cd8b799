// The Qt locale adapter where it can really break: time formats both ways.
#include "platform/qt/QtLocaleTime.h"

#include <QTest>

class TestPlatformQt : public QObject
{
    Q_OBJECT
private slots:
    void localeTime_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown"); // the long text it loads as; empty: refused
        const char* const rows[][3] = {
            {"en_US", "7:00 AM", "7:00:00 AM"}, {"en_US", "19:30", "7:30:00 PM"},
            {"en_US", "13:00 PM", ""},          {"en_US", "7:00:00\u202fPM", "7:00:00 PM"},
            {"de_DE", "7:30 pm", "19:30:00"},   {"de_DE", "24:00", ""}};
        for (const auto& row : rows)
            QTest::addRow("%s %s", row[0], row[1]) << QString(row[0]) << QString(row[1]) << QString(row[2]);
    }
    void localeTime()
    {
        QFETCH(QString, locale);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        const platform::QtLocaleTime localeTime{QLocale(locale)};
        const auto time = localeTime.parseTime(stored.toStdString());
        QCOMPARE(time.has_value(), !shown.isEmpty());
        if (time)
            QCOMPARE(QString::fromStdString(localeTime.longTimeText(*time)), shown);
    }

    // Deleting an alarm writes the long text back for every alarm it moves: it must read again as the same
    // time, whatever the locale writes, and carry no zone.
    void everyLongTextReadsBack()
    {
        for (const char* name : {"en_US", "de_DE", "fr_CA", "fa_IR", "ko_KR", "ar_EG", "bg_BG", "C"}) {
            const platform::QtLocaleTime localeTime{QLocale(QString::fromLatin1(name))};
            for (int hour = 0; hour < 24; ++hour) {
                const platform::TimeOfDay time{hour, hour * 2 + 1, 0};
                const std::string text = localeTime.longTimeText(time);
                QVERIFY2(text.find("UTC") == std::string::npos && localeTime.parseTime(text) == time,
                         (std::string(name) + " " + text).c_str());
            }
        }
    }
};

QTEST_MAIN(TestPlatformQt)
#include "tst_platformqt.moc"
