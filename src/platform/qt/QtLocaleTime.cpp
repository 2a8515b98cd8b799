// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtLocaleTime.h"

#include "text/TimeText.h"

#include <QTime>

namespace platform {
namespace {

// Drops unquoted 't' runs (the zone), brackets left empty by that, and the blanks that surrounded
// them; quoted literals pass through untouched.
QString dropZone(const QString& format)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            out.append(c);
        } else if (quoted || c != u't') {
            out.append(c);
        }
    }
    return out;
}

QString dropEmptyBracketsAndExtraBlanks(const QString& format)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u'(') {
            qsizetype close = i + 1;
            while (close < format.size() && format.at(close).isSpace())
                ++close;
            if (close < format.size() && format.at(close) == u')') {
                i = close;
                continue;
            }
        }
        if (!quoted && c.isSpace() && !out.isEmpty() && out.back().isSpace())
            continue;
        out.append(c);
    }
    return out.trimmed();
}

} // namespace

QtLocaleTime::QtLocaleTime(const QLocale& locale)
    : m_locale(locale), m_longFormat(formatWithoutZone(locale.timeFormat(QLocale::LongFormat))),
      m_shortFormat(formatWithoutZone(locale.timeFormat(QLocale::ShortFormat)))
{
}

QString QtLocaleTime::formatWithoutZone(const QString& format)
{
    return dropEmptyBracketsAndExtraBlanks(dropZone(format));
}

std::optional<text::TimeOfDay> QtLocaleTime::parseTime(const std::string& text) const
{
    if (auto time = text::timetext::parseStoredTime(text))
        return time;
    const QString qtext = QString::fromStdString(text).trimmed();
    if (qtext.isEmpty())
        return std::nullopt;
    for (const QString& format : {m_longFormat, m_shortFormat}) {
        const QTime time = m_locale.toTime(qtext, format);
        if (time.isValid())
            return text::TimeOfDay{time.hour(), time.minute(), time.second()};
    }
    return std::nullopt;
}

std::string QtLocaleTime::longTimeText(const text::TimeOfDay& time) const
{
    return m_locale.toString(QTime(time.hour, time.minute, time.second), m_longFormat).toStdString();
}

std::string QtLocaleTime::abbreviatedMonthName(int month) const
{
    if (month < 1 || month > 12)
        return {};
    return m_locale.monthName(month, QLocale::ShortFormat).toStdString();
}

std::string QtLocaleTime::abbreviatedDayName(int weekday) const
{
    if (weekday < 1 || weekday > 7)
        return {};
    // Qt counts from Monday as 1; the program from Sunday.
    const int qtDay = weekday == 1 ? 7 : weekday - 1;
    return m_locale.dayName(qtDay, QLocale::ShortFormat).toStdString();
}

} // namespace platform
