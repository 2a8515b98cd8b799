#pragma once

#include <cstdint>
#include <string>

namespace platform {
class Files;
}

namespace notify {

class AlarmOwner;

// The file a ringing alarm plays: its own sound, else default.wav (beside the program, or installed). Neither
// is checked: a file that cannot be played rings in silence.
std::string alarmSoundFile(const AlarmOwner& owner, std::int16_t index, const platform::Files& files);

// The loop of the ringing sound: true when position and length, each rounded to a whole second with
// halves going to the even neighbour, are equal, and the sound is to start over.
bool soundRestartDue(double position, double length);

} // namespace notify
