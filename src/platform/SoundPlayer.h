// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

namespace platform {

// How loud a file plays: the volume in percent (0 to 100), reached by rising from a fifth of it over
// fadeInSeconds (0: at once).
struct SoundLevel
{
    int volume = 50;
    int fadeInSeconds = 0;
};

// What a player's failure() says when the system has no sound output at all: the file is not at fault,
// and the same file may play once a device is back.
inline constexpr const char* noOutputDevice = "no sound output device";

// A media player with no user interface and no error dialogs. Positions and lengths are in seconds;
// a file that cannot be played reports 0 for both.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Opens the local file and starts it from the beginning at `level`, even when it was already playing.
    virtual void setFileAndPlay(const std::string& path, const SoundLevel& level) = 0;
    virtual double position() const = 0;
    virtual double length() const = 0;
    virtual void setPosition(double seconds) = 0;
    virtual void play() = 0;
    // Why the current file cannot be played, empty while it plays or still opens. Before any file: why
    // this player can play nothing at all.
    virtual std::string failure() const = 0;
};

// Players are made only when an alarm starts ringing, so the idle program never loads a media back end.
class SoundPlayerFactory
{
public:
    virtual ~SoundPlayerFactory() = default;
    // A ring is due within minutes: whatever the first player needs can be made ready now, so that the
    // ring only has to start the sound.
    virtual void prepare() {}
    virtual std::unique_ptr<SoundPlayer> create() = 0;
    // The platform's own warning sound, for when no file can be played. Nothing by default, for
    // factories whose players never fail.
    virtual void beep() {}
};

} // namespace platform
