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
        const sys_days date =
            year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                           std::chrono::day{static_cast<unsigned>(day)}};
        m_now = time_point_cast<milliseconds>(date) + hours{hour} + minutes{minute} + seconds{second};
    }
    void advanceSeconds(long long count) { m_now += std::chrono::seconds{count}; }
    void advanceMinutes(long long count) { m_now += std::chrono::minutes{count}; }
    void advanceMilliseconds(long long count) { m_now += std::chrono::milliseconds{count}; }

    platform::LocalDateTime now() const override
    {
        using namespace std::chrono;
        const sys_days date = floor<days>(m_now);
        const year_month_day ymd{date};
        const hh_mm_ss<milliseconds> time{m_now - date};
        return {static_cast<int>(ymd.year()),
                static_cast<int>(static_cast<unsigned>(ymd.month())),
                static_cast<int>(static_cast<unsigned>(ymd.day())),
                static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()),
                static_cast<int>(time.subseconds().count())};
    }

private:
    std::chrono::sys_time<std::chrono::milliseconds> m_now;
};

} // namespace fakes
