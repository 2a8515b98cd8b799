// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LocaleTime.h"

#include <QLocale>
#include <QString>

namespace platform {

// Time texts under one Qt locale, the system's unless a test pins another.
class QtLocaleTime : public LocaleTime
{
public:
    explicit QtLocaleTime(const QLocale& locale = QLocale::system());

    // The program's own forms first (so "7:00 AM" loads the same under every locale), then the locale's
    // long time format as longTimeText writes it, then its short format.
    std::optional<text::TimeOfDay> parseTime(const std::string& text) const override;
    std::string longTimeText(const text::TimeOfDay& time) const override;
    std::string abbreviatedDayName(int weekday) const override;
    std::string abbreviatedMonthName(int month) const override;

    // The locale's long time format without its time-zone part: an alarm time has no zone, and Qt would
    // print the zone of today's date instead ("7:00:00 AM UTC").
    static QString formatWithoutZone(const QString& format);

private:
    QLocale m_locale;
    QString m_longFormat;
    QString m_shortFormat;
};

} // namespace platform
