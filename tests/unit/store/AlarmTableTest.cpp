#include "store/AlarmTable.h"

#include <gtest/gtest.h>

namespace {

store::AlarmTable tableWithOffsets(std::initializer_list<std::int16_t> minutes)
{
    store::AlarmTable table;
    table.ACount = static_cast<std::int16_t>(minutes.size());
    table.ASnoozeH.assign(minutes.size() + 1, 0);
    table.ASnoozeM.push_back(0);
    for (auto m : minutes)
        table.ASnoozeM.push_back(m);
    return table;
}

TEST(AlarmTable, RemovingAnAlarmMovesLaterOffsetsDownWithTheirAlarms)
{
    auto table = tableWithOffsets({5, 10, 15, 20});
    table.removeOffsetsAt(2);
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 15, 20, 0}));
}

TEST(AlarmTable, RemovingAnIndexOutsideTheTableChangesNothing)
{
    auto table = tableWithOffsets({5, 10});
    for (std::int16_t index : {std::int16_t{0}, std::int16_t{-1}, std::int16_t{3}, std::int16_t{32767}})
        table.removeOffsetsAt(index);
    EXPECT_EQ(table.ASnoozeM, (std::vector<std::int16_t>{0, 5, 10}));
}

} // namespace
