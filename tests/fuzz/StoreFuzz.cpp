// Arbitrary bytes as Data.ini: reading, writing and loading must neither crash nor hang, and must keep
// the promises the store makes to the rest of the program.
#include "fakes/FakeLocaleTime.h"
#include "platform/StdFiles.h"
#include "store/AlarmLoad.h"
#include "store/IniDocument.h"
#include "store/ini.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void checkAt(bool condition, int line)
{
    if (!condition) {
        std::fprintf(stderr, "store promise broken, StoreFuzz.cpp line %d\n", line);
        std::abort();
    }
}
#define check(condition) checkAt((condition), __LINE__)

// tmpfs when there is one: every write syncs the file, which costs nothing there.
const std::filesystem::path& workFolder()
{
    static const std::filesystem::path folder = [] {
        std::error_code error;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, error))
            base = std::filesystem::temp_directory_path();
        auto path = base / ("wakery-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        std::atexit([] { std::filesystem::remove_all(workFolder()); });
        return path;
    }();
    return folder;
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string name(FuzzedDataProvider& input)
{
    static const char* const known[] = {"Alarm", "Alarm1", "alarm2", " ALARM3 ", "Count",   "State",
                                        "Type",  "Time",   "Memo",   "Sound",    "DSnooze", "x"};
    if (input.ConsumeBool())
        return known[input.ConsumeIntegralInRange<std::size_t>(0, std::size(known) - 1)];
    return input.ConsumeRandomLengthString(12);
}

// What ReadIni gives for a value that was written: line breaks are blanks, blanks around the value and
// one pair of enclosing quotes are gone, and at most 254 bytes remain.
std::string expectedReadBack(std::string value)
{
    for (char& c : value) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    const auto first = value.find_first_not_of(" \t");
    value = first == std::string::npos ? std::string()
                                       : value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        value = value.substr(1, value.size() - 2);
    return std::string(store::IniDocument::cutUtf8(value, 254));
}

bool sameName(std::string a, std::string b)
{
    auto normal = [](std::string s) {
        const auto first = s.find_first_not_of(" \t");
        s = first == std::string::npos ? std::string()
                                       : s.substr(first, s.find_last_not_of(" \t") - first + 1);
        for (char& c : s)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        return s;
    };
    return normal(std::move(a)) == normal(std::move(b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<ini::KeyWrite> writes(input.ConsumeIntegralInRange<std::size_t>(0, 4));
    for (auto& write : writes) {
        write.section = name(input);
        write.key = name(input);
        write.value = input.ConsumeRandomLengthString(300);
    }
    const std::string probeSection = name(input);
    const std::string probeKey = name(input);
    const std::string original = input.ConsumeRemainingBytesAsString();

    const std::string batchPath = (workFolder() / "batch.ini").string();
    const std::string singlePath = (workFolder() / "single.ini").string();
    writeFile(batchPath, original);
    writeFile(singlePath, original);

    // The whole-table load reads every value as ReadIni does.
    const platform::StdFiles files(workFolder().string());
    const fakes::FakeLocaleTime localeTime;
    store::AlarmTable table;
    check(store::loadAlarmTable(table, batchPath, files, localeTime));
    check(table.ACount >= 0);
    for (std::int16_t i = 1; i <= std::min<std::int16_t>(table.ACount, 3); ++i) {
        const std::string section = "Alarm" + std::to_string(i);
        const auto at = static_cast<std::size_t>(i);
        check(table.AMemo[at] == ini::ReadIni(batchPath, section, "Memo", ""));
        check(table.AType[at] == ini::ReadIni(batchPath, section, "Type", "1234567"));
        check(table.AStoredTime[at] == ini::ReadIni(batchPath, section, "Time", ""));
        check(table.ASound[at] == ini::ReadIni(batchPath, section, "Sound", ""));
        check(table.AMemo[at].size() <= 254);
    }
    check(readFile(batchPath) == original);

    const std::string probeBefore = ini::ReadIni(batchPath, probeSection, probeKey, "\x01 absent");

    // One replacement for several keys gives the same file as one write per key.
    const bool batchOk = ini::WriteIniKeys(batchPath, writes);
    bool singleOk = true;
    for (const auto& write : writes)
        singleOk = ini::WriteIni(singlePath, write.section, write.key, write.value) && singleOk;
    const std::string after = readFile(batchPath);
    if (!batchOk) {
        check(after == original);
        return 0;
    }
    check(singleOk);
    check(after == readFile(singlePath));

    // The last write of each key reads back; keys not written read as before.
    bool probeWritten = false;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        bool overwritten = false;
        for (std::size_t j = i + 1; j < writes.size(); ++j)
            overwritten = overwritten || (sameName(writes[i].section, writes[j].section) &&
                                          sameName(writes[i].key, writes[j].key));
        if (!overwritten)
            check(ini::ReadIni(batchPath, writes[i].section, writes[i].key, "") ==
                  expectedReadBack(writes[i].value));
        probeWritten =
            probeWritten || (sameName(writes[i].section, probeSection) && sameName(writes[i].key, probeKey));
    }
    if (!probeWritten)
        check(ini::ReadIni(batchPath, probeSection, probeKey, "\x01 absent") == probeBefore);

    // Writing what is already there changes nothing.
    check(ini::WriteIniKeys(batchPath, writes));
    check(readFile(batchPath) == after);
    return 0;
}
