// SPDX-License-Identifier: GPL-3.0-or-later
// The same reads and writes through ini::ReadIni/WriteIni and through the Windows profile functions, on
// copies of the same generated files; answers and resulting bytes are compared. Each difference must be
// one of the kinds below, or the run fails. Arguments: [seed] [files], 12 operations a file.
#include "platform/Files.h"
#include "store/ini.h"
#include "text/Utf8Path.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string x300(300, 'x'), e140 = [] {
    std::string e;
    for (int i = 0; i < 140; ++i)
        e += "\xC3\xA9"; // é
    return e;
}();
const std::vector<std::string> sections{"Alarm", "alarm", " ALARM ",   "Alarm1",
                                        "B",     "A]",    "Caf\u00e9", "CAF\u00c9"};
const std::vector<std::string> keys{"Count", "count ", "TIME", "Memo", "K", "#k", "K=V", ";K"};
const std::vector<std::string> values{"",        "3",  "7:00 AM", "  spaced  ", "\"quoted\"", "'one'",
                                      "a=b ; c", x300, e140,      "x" + e140,   "a\r\nb"};
// The kinds of difference the store means to have.
const std::string cut = "the 254-byte cut never splits a character",
                  lineBreak = "a line break in a value becomes a blank and starts no line",
                  refused = "a write that cannot be done is refused and reported",
                  unchanged = "a write that changes nothing leaves the file alone",
                  kept = "every line the write does not touch is kept byte for byte",
                  atomic = "the file is replaced atomically, not rewritten in place",
                  crLine = "a lone CR ends a line",
                  bareKey = "a line without '=' is no key, and a write adds the key",
                  utf8 = "UTF-8 names match without regard to ASCII case only";

// The lines the generated files are made of, one each.
const std::vector<std::string> lines{
    "[Alarm]", " [alarm] ",   "[ALARM1]\t; note", "[Alarm1]",       "[B",           "[b]",
    "Count=3", " count = 4 ", "TIME=\"7:00 AM\"", "Time='8:00 PM'", "Memo= a ; b ", "K=",
    "K",       "=5",          "; comment",        "  ;Count=9",     "#k=1",         "[Caf\u00e9]",
    "",        "Memo=\"\"",   "memo=second",      "Memo=" + x300,   "Memo=x" + e140};

std::string slurp(const fs::path& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void spit(const fs::path& path, const std::string& bytes, bool exists = true)
{
    exists ? void(std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes) : void(fs::remove(path));
}

std::string apiRead(const fs::path& file, const std::string& section, const std::string& key)
{
    char buffer[255]; // the value a 255-byte buffer holds: 254 bytes and the end mark
    const DWORD size = GetPrivateProfileStringA(section.c_str(), key.c_str(), "<d>", buffer, sizeof buffer,
                                                file.string().c_str());
    return std::string(buffer, size);
}

bool matches(const std::string& text, const std::string& pattern)
{
    return std::regex_search(text, std::regex(pattern, std::regex::icase));
}

// The first lookup the two files answer differently, or empty when every one is the same: then they differ
// only in how the lines no write touched are kept.
std::string differingAnswer(const fs::path& a, const fs::path& b)
{
    for (const std::string& section : sections)
        for (const std::string& key : keys)
            if (const std::string x = apiRead(a, section, key), y = apiRead(b, section, key); x != y)
                return "[" + section + "] " + key + " reads '" + x + "' from ours, '" + y + "' from Windows'";
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    const unsigned seed = argc > 1 ? static_cast<unsigned>(std::stoul(argv[1])) : 20261206u;
    const int fileCount = argc > 2 ? std::stoi(argv[2]) : 200;
    std::mt19937 random(seed);
    const auto pick = [&random](const auto& pool) { return pool[random() % std::size(pool)]; };
    // Ours in a folder whose name is no ASCII, as a user's folder may be; the API's under a plain name.
    const fs::path folder = fs::temp_directory_path() / ("wakery-compare-" + std::to_string(seed));
    const fs::path ours = folder / u8"d\u00e9j\u00e0" / "Data.ini";
    fs::remove_all(folder);
    fs::create_directories(ours.parent_path());
    const std::string oursPath = text::utf8Text(ours);
    long operations = 0, agreements = 0;
    std::map<std::string, long> deliberate{{cut, 0},       {lineBreak, 0}, {refused, 0},
                                           {unchanged, 0}, {kept, 0},      {atomic, 0},
                                           {crLine, 0},    {bareKey, 0},   {utf8, 0}};
    int failures = 0;
    for (int f = 0; f < fileCount; ++f) {
        std::string content;
        const std::string eols[] = {"\r\n", "\n", "\r"};
        const std::string eol = pick(eols);
        for (unsigned n = random() % 10; n > 0; --n)
            content += pick(lines) + (random() % 8 ? eol : pick(eols));
        if (random() % 3 == 0 && !content.empty())
            content.pop_back(); // no final line end (or a CR left of CR LF)
        spit(ours, content, random() % 10 != 0);
        for (int op = 0; op < 12; ++op, ++operations) {
            const std::string section = pick(sections), key = pick(keys), value = pick(values);
            const std::string before = slurp(ours);
            // New names each time: Wine keeps files it parsed and trusts a time stamp a quick rewrite keeps.
            const fs::path theirs = folder / ("api" + std::to_string(operations) + ".ini"),
                           copy = folder / ("ours" + std::to_string(operations) + ".ini");
            spit(theirs, before, fs::exists(ours));
            std::string kind, detail, after = before, apiAfter = before;
            if (random() % 2) {
                const std::string a = ini::ReadIni(oursPath, section, key, "<d>"),
                                  b = apiRead(theirs, section, key);
                if (a != b && b.size() == 254 && a.size() >= 251 && b.starts_with(a))
                    kind = cut;
                else if (a != b)
                    kind = "?",
                    detail = "[" + section + "] " + key + ": ours '" + a + "', Windows '" + b + "'";
            } else {
                const platform::FileStamp stamp = platform::statFile(oursPath),
                                          theirStamp = platform::statFile(theirs.string());
                const bool a = ini::WriteIni(oursPath, section, key, value);
                const bool b = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                                          theirs.string().c_str()) != 0;
                after = slurp(ours), apiAfter = slurp(theirs);
                spit(copy, after);
                detail = after == apiAfter ? "" : differingAnswer(copy, theirs);
                if (a && value == "a\r\nb" && ini::ReadIni(oursPath, section, key, "") == "a  b")
                    kind = lineBreak;
                else if (a != b)
                    kind =
                        after == before && (section == "A]" || key == "K=V" || key == ";K") ? refused : "?";
                else if (after != apiAfter && detail.empty())
                    kind = after == before ? unchanged : kept;
                else if (after != apiAfter)
                    kind = "?", detail = "[" + section + "] " + key + "=" + value + ", then " + detail;
                else if (after != before && platform::statFile(oursPath).inode != stamp.inode &&
                         platform::statFile(theirs.string()).inode == theirStamp.inode)
                    kind = atomic;
            }
            // The key's name alone on a line: the key with no value for Windows, no key for the store.
            const std::string bareKeyLine =
                "(^|\n)[ \t]*" + key.substr(0, key.find_last_not_of(' ') + 1) + "[ \t]*\r?(\n|$)";
            if (kind == "?" && matches(before, "\r[^\n][\\s\\S]*\n"))
                kind = crLine;
            else if (kind == "?" && matches(before, bareKeyLine))
                kind = bareKey;
            else if (kind == "?" && section == "CAF\u00c9")
                kind = utf8;
            if (kind.empty())
                ++agreements;
            else if (kind != "?")
                ++deliberate[kind];
            else if (++failures <= 10)
                std::printf("UNCLASSIFIED (seed %u, file %d, op %d): %s\nbefore: %s\nours: %s\nWindows: %s\n",
                            seed, f, op, detail.c_str(), before.c_str(), after.c_str(), apiAfter.c_str());
            fs::remove(theirs), fs::remove(copy);
        }
    }
    fs::remove_all(folder);
    std::printf("operations %ld\nagreements %ld\n", operations, agreements);
    for (const auto& [kind, count] : deliberate)
        std::printf("deliberate: %s: %ld\n", kind.c_str(), count);
    std::printf("unclassified %d\n", failures);
    return failures == 0 ? 0 : 1;
}
