#pragma once

#include "platform/MinuteTimer.h"

namespace fakes {

// Counts its armings; a test fires it by hand.
class FakeMinuteTimer : public platform::MinuteTimer
{
public:
    void armNextMinute() override { ++arms; }
    void fire() { fired(); }
    int arms = 0;
};

} // namespace fakes
