#include "AlarmSound.h"

#include "AlarmOwner.h"
#include "platform/Files.h"
#include "platform/TimeText.h"

namespace notify {

std::string alarmSoundFile(const AlarmOwner& owner, std::int16_t index, const platform::Files& files)
{
    if (owner.AlarmSoundPresent(index))
        return owner.GetASound(index);
    return files.defaultSound();
}

bool soundRestartDue(double position, double length)
{
    using platform::timetext::roundHalfEven;
    return roundHalfEven(position) == roundHalfEven(length);
}

} // namespace notify
