// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"

#include <chrono>

namespace fakes {

// A clock that only moves when a test moves it. Dates are proleptic Gregorian.
class FakeClock : public platform::Clock
{
public:
    FakeClock() { set(2026, 12, 7, 7, 0, 0); } // a Monday
    void set(int year, int month, int day, int hour, int minute, int second = 0)
    {
        using namespace std::chrono;
        m_now =
            sys_days{std::chrono::year{year} / month / day} + hours{hour} + minutes{minute} + seconds{second};
    }
    void advanceSeconds(long long count) { m_now += std::chrono::seconds{count}; }
    void advanceMinutes(long long count) { m_now += std::chrono::minutes{count}; }
    platform::LocalDateTime now() const override
    {
        using namespace std::chrono;
        const sys_days date = floor<days>(m_now);
        const year_month_day d{date};
        const hh_mm_ss t{m_now - date};
        return {int{d.year()},
                int(unsigned{d.month()}),
                int(unsigned{d.day()}),
                int(t.hours().count()),
                int(t.minutes().count()),
                int(t.seconds().count()),
                0};
    }

private:
    std::chrono::sys_seconds m_now;
};

} // namespace fakes
