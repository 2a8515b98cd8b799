// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as Data.ini and arbitrary writes to it: reading, writing and loading must neither crash
// nor hang, and must keep the promises the store makes to the rest of the program.
#include "fakes/FakeLocaleTime.h"
#include "fakes/StdFiles.h"
#include "fakes/TempFolder.h"
#include "store/AlarmLoad.h"
#include "store/ini.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

// A broken promise aborts; the fuzzer's report gives the line.
#define check(condition) (condition) ? void() : std::abort()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fakes::TempFolder folder;
    // Half of the names are ones the program uses, in odd spellings, so writes meet the keys of the file.
    static const char* const known[] = {"Alarm", "alarm1", " ALARM2 ", "Count", "Memo", "time"};
    FuzzedDataProvider input(data, size);
    const auto name = [&input] {
        return input.ConsumeBool() ? known[input.ConsumeIntegralInRange<std::size_t>(0, 5)]
                                   : input.ConsumeRandomLengthString(8);
    };
    std::vector<ini::KeyWrite> writes(input.ConsumeIntegralInRange<std::size_t>(0, 3));
    for (auto& write : writes)
        write = {name(), name(), input.ConsumeRandomLengthString(300)};
    const std::string original = input.ConsumeRemainingBytesAsString();
    const std::string batch = folder.file("batch.ini"), single = folder.file("single.ini");
    folder.write("batch.ini", original);
    folder.write("single.ini", original);

    // Loading the table changes nothing.
    store::AlarmTable table;
    check(store::loadAlarmTable(table, batch, fakes::StdFiles(folder.path()), fakes::FakeLocaleTime()));
    check(folder.read("batch.ini") == original);

    // One replacement for several keys gives the same file as one write per key; a refused one writes
    // nothing; writing what is already there changes nothing.
    bool singleOk = true;
    for (const auto& write : writes)
        singleOk = ini::WriteIni(single, write.section, write.key, write.value) && singleOk;
    if (!ini::WriteIniKeys(batch, writes))
        return check(folder.read("batch.ini") == original), 0;
    const std::string after = folder.read("batch.ini");
    check(singleOk && after == folder.read("single.ini"));
    check(ini::WriteIniKeys(batch, writes) && folder.read("batch.ini") == after);
    return 0;
}
