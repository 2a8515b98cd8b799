// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"
#include "Dialogs.h"
#include "FileDialog.h"
#include "Files.h"
#include "LocaleTime.h"
#include "SoundPlayer.h"

namespace platform {

// Everything the windows take from the platform; main() builds the real ones, tests pass fakes.
struct Services
{
    Clock& clock;
    LocaleTime& localeTime;
    Files& files;
    Dialogs& dialogs;
    FileDialog& fileDialog;
    SoundPlayerFactory& sounds;
};

} // namespace platform
