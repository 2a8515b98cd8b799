#pragma once

#include "AlarmTable.h"

#include <string>

namespace platform {
class Files;
class LocaleTime;
} // namespace platform

namespace store {

// The load the main window performs on every activation. With no plain file at iniPath nothing changes
// and false is returned. Otherwise the table is rebuilt from the file (offsets kept by index), and true
// is returned. Malformed content never fails the load: a bad Count is 0 (above 32,767: 32,767), a bad
// State is off, a Time that is no time of day keeps its text and never rings. The file is not changed.
bool loadAlarmTable(AlarmTable& table, const std::string& iniPath, const platform::Files& files,
                    const platform::LocaleTime& localeTime);

} // namespace store
