#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace platform {
class Files;
}

namespace notify {

class AlarmOwner;

// The file a ringing alarm plays: its own sound, else default.wav in the program's folder. Neither is
// checked: a file that cannot be played rings in silence.
std::string alarmSoundFile(const AlarmOwner& owner, std::int16_t index, const platform::Files& files);

// The loop of the ringing sound: true when position and length, each rounded to a whole second with
// halves going to the even neighbour, are equal, and the sound is to start over.
bool soundRestartDue(double position, double length);

// Hours and minutes of a duration text that has passed ValidDuration (" 0:05 ", "00:30", "2:00").
// nullopt when a part does not read as a number.
std::optional<std::pair<std::int16_t, std::int16_t>> durationParts(const std::string& text);

} // namespace notify
