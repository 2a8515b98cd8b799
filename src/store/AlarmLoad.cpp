#include "AlarmLoad.h"

// Placeholder until the load lands.
namespace store {
bool loadAlarmTable(AlarmTable&, const std::string&, const platform::Files&, const platform::LocaleTime&)
{
    return false;
}
} // namespace store
