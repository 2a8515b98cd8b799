// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/AlarmTable.h"

#include <cstdio>
#include <string>
#include <vector>

// One alarm a spec "H:MM[/days[/state]]", memo "memo <index>": days "1234567" and state 1 when left out,
// days "-" for none; a spec that is no time stands for a stored time that is none.
inline store::AlarmTable tableOf(const std::vector<std::string>& specs)
{
    store::AlarmTable table;
    table.ACount = static_cast<std::int16_t>(specs.size());
    table.resize(table.ACount);
    for (std::size_t i = 1; i <= specs.size(); ++i) {
        int hour = 0, minute = 0, state = 1;
        char days[16] = "1234567";
        const bool valid =
            std::sscanf(specs[i - 1].c_str(), "%d:%d/%15[^/]/%d", &hour, &minute, days, &state) >= 2;
        table.AType[i] = days[0] == '-' ? "" : days;
        table.AState[i] = static_cast<std::int16_t>(state);
        table.AClock[i] = {valid, hour, minute};
        table.AMemo[i] = "memo " + std::to_string(i);
    }
    return table;
}
