// SPDX-License-Identifier: GPL-3.0-or-later
// ini::ReadIni/WriteIni against the Windows profile functions on copies of the same generated files: a read
// must give the same answer, a write the same result and a file that the system's reader reads as the other
// (Windows rewrites lines the store keeps byte for byte). The inputs where the store departs on purpose are
// not generated: a lone CR, a line with no '=', names no line can hold, line breaks and UTF-8 in values.
// Arguments: [seed] [files], 12 operations a file.
#include "store/ini.h"
#include "text/Utf8Path.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string x300(300, 'x');
const std::vector<std::string> sections{"Alarm", "alarm", " ALARM ", "Alarm1", "B"};
const std::vector<std::string> keys{"Count", "count ", "TIME", "Memo", "K", "#k"};
const std::vector<std::string> values{"",           "3",     "7:00 AM", "  spaced  ",
                                      "\"quoted\"", "'one'", "a=b ; c", x300};
const std::vector<std::string> lines{"[Alarm]",
                                     " [alarm] ",
                                     "[ALARM1]\t; note",
                                     "[Alarm1]",
                                     "[B",
                                     "[b]",
                                     "Count=3",
                                     "K=",
                                     " count = 4 ",
                                     "TIME=\"7:00 AM\"",
                                     "Time='8:00 PM'",
                                     "Memo= a ; b ",
                                     "=5",
                                     "; comment",
                                     "#k=1",
                                     "  ;Count=9",
                                     "",
                                     "Memo=\"\"",
                                     "memo=second",
                                     "Memo=" + x300};

std::string slurp(const fs::path& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

std::string apiRead(const fs::path& file, const std::string& section, const std::string& key)
{
    char buffer[255]; // 254 bytes and the end mark, as the program reads
    return {buffer, GetPrivateProfileStringA(section.c_str(), key.c_str(), "<d>", buffer, sizeof buffer,
                                             file.string().c_str())};
}

std::string lookups(const fs::path& file)
{
    std::string all;
    for (const std::string& section : sections)
        for (const std::string& key : keys)
            all += "\n[" + section + "] " + key + "=" + apiRead(file, section, key);
    return all;
}

} // namespace

int main(int argc, char** argv)
{
    const unsigned seed = argc > 1 ? static_cast<unsigned>(std::stoul(argv[1])) : 20261206u;
    const int fileCount = argc > 2 ? std::stoi(argv[2]) : 200;
    std::mt19937 random(seed);
    const auto pick = [&random](const auto& pool) { return pool[random() % pool.size()]; };
    // Ours in a folder whose name is no ASCII, as a user's may be; the system's functions take ASCII paths.
    const fs::path folder = fs::temp_directory_path() / ("wakery-compare-" + std::to_string(seed));
    const fs::path ours = folder / u8"d\u00e9j\u00e0" / "Data.ini";
    fs::remove_all(folder);
    fs::create_directories(ours.parent_path());
    const std::string oursPath = text::utf8Text(ours);
    int operations = 0, failures = 0;
    for (int f = 0; f < fileCount; ++f) {
        std::string content;
        for (unsigned n = random() % 10; n > 0; --n)
            content += pick(lines) + (random() % 2 ? "\r\n" : "\n");
        if (random() % 3 == 0 && !content.empty())
            content.pop_back(); // no final line end, or a CR left of a CR LF
        fs::remove(ours);
        if (random() % 10 != 0)
            std::ofstream(ours, std::ios::binary) << content;
        for (int op = 0; op < 12; ++op, ++operations) {
            // New names each time: Wine keeps files it parsed and trusts a time stamp a quick rewrite keeps.
            const std::string n = std::to_string(operations), before = slurp(ours);
            const fs::path theirs = folder / ("api" + n + ".ini"), copy = folder / ("ours" + n + ".ini");
            if (fs::exists(ours))
                fs::copy_file(ours, theirs);
            const std::string section = pick(sections), key = pick(keys), value = pick(values);
            std::string what = "[" + section + "] " + key, a, b;
            if (random() % 2) {
                a = ini::ReadIni(oursPath, section, key, "<d>"), b = apiRead(theirs, section, key);
            } else {
                what += "=" + value;
                a = ini::WriteIni(oursPath, section, key, value) ? "written" : "refused";
                b = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                               theirs.string().c_str())
                        ? "written"
                        : "refused";
                if (fs::exists(ours))
                    fs::copy_file(ours, copy);
                a += lookups(copy), b += lookups(theirs);
            }
            if (a != b && ++failures <= 10)
                std::printf("DIFFERENT (seed %u, file %d, op %d) %s\nfile: %s\nours: %s\nWindows: %s\n", seed,
                            f, op, what.c_str(), before.c_str(), a.c_str(), b.c_str());
            fs::remove(theirs), fs::remove(copy);
        }
    }
    fs::remove_all(folder);
    std::printf("operations %d, different %d\n", operations, failures);
    return failures == 0 ? 0 : 1;
}
