// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniDocument.h"

#include "text/TextTrim.h"
#include "text/Utf8Path.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace store {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t linearLookups = 16; // lookups answered by a scan before the index is built

using text::isBlank;

using text::trimBlanks;

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = asciiLower(c);
    return lower;
}

// The text after a key's '=' once value replaces the value in it. A value the key already has keeps the
// line as it is; otherwise the indent before the old value stays (unless the new value brings blanks of
// its own) and blanks after it go, so that writing a value again never changes the file.
std::string replaceValue(std::string_view tail, std::string_view value)
{
    if (trimBlanks(tail) == value)
        return std::string(tail);
    if (value.empty() || isBlank(value.front()))
        return std::string(value);
    const std::size_t first = tail.find_first_not_of(" \t");
    std::string result(first == std::string_view::npos ? tail : tail.substr(0, first));
    result.append(value);
    return result;
}

bool validSectionName(std::string_view name)
{
    return !name.empty() && name.find_first_of("\r\n]") == std::string_view::npos;
}

bool validKeyName(std::string_view name)
{
    return !name.empty() && name.front() != ';' && name.front() != '[' &&
           name.find_first_of("\r\n=") == std::string_view::npos;
}

// Reads the whole file; false on any error. A file that vanishes between the two steps is unreadable
// rather than missing, which only ever makes a write refuse.
bool readWholeFile(const std::filesystem::path& path, std::uintmax_t expectedSize, std::string& content)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    content.resize(static_cast<std::size_t>(expectedSize));
    std::size_t size = 0;
    // The file may have changed size since it was measured: read on until its real end.
    while (file) {
        if (size == content.size())
            content.resize(size + (1 << 16));
        file.read(content.data() + size, static_cast<std::streamsize>(content.size() - size));
        size += static_cast<std::size_t>(file.gcount());
    }
    content.resize(size);
    return !file.bad();
}

} // namespace

IniDocument::IniDocument(std::string content) : m_content(std::move(content))
{
    parse();
}

IniDocument IniDocument::fromFile(const std::string& path, Source& source)
{
    const std::filesystem::path file = text::utf8Path(path);
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        source = Source::Missing;
        return IniDocument();
    }
    std::string content;
    const std::uintmax_t size = error ? 0 : std::filesystem::file_size(file, error);
    if (error || status.type() != std::filesystem::file_type::regular ||
        !readWholeFile(file, size, content)) {
        source = Source::Unreadable;
        return IniDocument();
    }
    source = Source::Read;
    return IniDocument(std::move(content));
}

namespace {

// Finds where lines end for a scan that only moves forward. Each search result is kept until the scan
// passes it: searching afresh from every line would cross a file without any LF (CR-only line endings)
// once per line.
class LineEnds
{
public:
    LineEnds(std::string_view text, std::size_t limit) : m_text(text), m_limit(limit) {}

    // The first CR or LF at or after pos, or the limit.
    std::size_t from(std::size_t pos) { return std::min(next('\n', pos, m_lf), next('\r', pos, m_cr)); }

private:
    std::size_t next(char c, std::size_t pos, std::size_t& cached)
    {
        if (cached == unknown || cached < pos) {
            const void* found = pos < m_limit ? std::memchr(m_text.data() + pos, c, m_limit - pos) : nullptr;
            cached =
                found ? static_cast<std::size_t>(static_cast<const char*>(found) - m_text.data()) : m_limit;
        }
        return cached;
    }

    static constexpr std::size_t unknown = static_cast<std::size_t>(-1);
    std::string_view m_text;
    std::size_t m_limit;
    std::size_t m_lf = unknown;
    std::size_t m_cr = unknown;
};

// Past the line ending at lineEnd: CR LF, LF or a lone CR.
std::size_t nextLine(std::string_view text, std::size_t lineEnd)
{
    if (lineEnd >= text.size())
        return lineEnd;
    return lineEnd +
           ((text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n') ? 2u : 1u);
}

} // namespace

// Finds the section headers only: a '[' that is the first non-blank character of its line, with a ']'
// later in that line. Everything else waits for parseSection().
void IniDocument::parse()
{
    const std::string_view text = m_content;
    m_bodyBegin = text.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    LineEnds lineEnds(text, text.size());
    const std::size_t firstEnd = lineEnds.from(m_bodyBegin);
    m_eol = firstEnd < text.size() ? std::string(text.substr(firstEnd, nextLine(text, firstEnd) - firstEnd))
                                   : "\r\n";

    std::size_t pos = m_bodyBegin;
    while (pos < text.size()) {
        const void* found = std::memchr(text.data() + pos, '[', text.size() - pos);
        if (!found)
            break;
        const auto bracket = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        std::size_t lineStart = bracket;
        while (lineStart > m_bodyBegin && isBlank(text[lineStart - 1]))
            --lineStart;
        pos = bracket + 1;
        if (lineStart > m_bodyBegin && text[lineStart - 1] != '\r' && text[lineStart - 1] != '\n')
            continue; // not the first non-blank character of its line
        const std::size_t lineEnd = lineEnds.from(bracket);
        const void* close = std::memchr(text.data() + bracket, ']', lineEnd - bracket);
        if (!close)
            continue;
        const std::string_view name = trimBlanks(
            text.substr(bracket + 1, static_cast<std::size_t>(static_cast<const char*>(close) - text.data()) -
                                         bracket - 1));
        if (!m_sections.empty())
            m_sections.back().bodyEnd = lineStart;
        Section section;
        section.nameBegin = static_cast<std::size_t>(name.data() - text.data());
        section.nameSize = name.size();
        section.bodyBegin = nextLine(text, lineEnd);
        section.bodyEnd = text.size();
        pos = section.bodyBegin;
        m_sections.push_back(section);
    }
}

void IniDocument::parseSection(const Section& section) const
{
    if (section.parsed)
        return;
    section.parsed = true;
    section.insertAt = section.bodyBegin;
    section.firstKey = section.endKey = m_keys.size();
    if (section.isNew)
        return;
    const std::string_view text = m_content;
    LineEnds lineEnds(text, section.bodyEnd);
    std::size_t pos = section.bodyBegin;
    while (pos < section.bodyEnd) {
        const std::size_t lineEnd = lineEnds.from(pos);
        const std::size_t next = nextLine(text, lineEnd);
        std::size_t first = pos;
        while (first < lineEnd && isBlank(text[first]))
            ++first;
        if (first < lineEnd && text[first] != ';') {
            section.insertAt = next;
            const std::string_view line = text.substr(first, lineEnd - first);
            const std::size_t equals = line.front() == '[' ? std::string_view::npos : line.find('=');
            if (equals != std::string_view::npos) {
                const std::string_view name = trimBlanks(line.substr(0, equals));
                if (!name.empty())
                    m_keys.push_back(Key{static_cast<std::size_t>(name.data() - text.data()), name.size(),
                                         first + equals + 1, lineEnd});
            }
        }
        pos = next;
    }
    section.endKey = m_keys.size();
}

std::string_view IniDocument::nameOf(const Section& section) const
{
    if (section.isNew)
        return m_newNames[section.nameBegin];
    return std::string_view(m_content).substr(section.nameBegin, section.nameSize);
}

std::string_view IniDocument::nameOf(const Key& key) const
{
    return std::string_view(m_content).substr(key.nameBegin, key.nameSize);
}

std::size_t IniDocument::sectionIndex(std::string_view name) const
{
    name = trimBlanks(name);
    if (!m_indexed && ++m_lookups > linearLookups) {
        m_index.reserve(m_sections.size());
        for (std::size_t i = 0; i < m_sections.size(); ++i)
            m_index.emplace(lowerCase(nameOf(m_sections[i])), i); // the first section of a name wins
        m_indexed = true;
    }
    if (m_indexed) {
        const auto found = m_index.find(lowerCase(name));
        return found == m_index.end() ? SectionRef::npos : found->second;
    }
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        if (equalsIgnoringCase(nameOf(m_sections[i]), name))
            return i;
    }
    return SectionRef::npos;
}

std::size_t IniDocument::findKey(const Section& section, std::string_view key) const
{
    parseSection(section);
    for (std::size_t i = section.firstKey; i < section.endKey; ++i) {
        if (equalsIgnoringCase(nameOf(m_keys[i]), key) && !m_removed.contains(i))
            return i;
    }
    return SectionRef::npos;
}

IniDocument::SectionRef IniDocument::findSection(std::string_view section) const
{
    SectionRef ref;
    ref.m_index = sectionIndex(section);
    return ref;
}

std::string_view IniDocument::tailOf(std::size_t key) const
{
    if (const auto changed = m_tails.find(key); changed != m_tails.end())
        return changed->second;
    return std::string_view(m_content).substr(m_keys[key].afterEquals,
                                              m_keys[key].lineEnd - m_keys[key].afterEquals);
}

std::string_view IniDocument::storedValue(std::size_t section, std::string_view key, bool& found) const
{
    key = trimBlanks(key);
    found = true;
    if (const std::size_t existing = findKey(m_sections[section], key); existing != SectionRef::npos)
        return trimBlanks(tailOf(existing));
    if (const auto added = m_added.find(section); added != m_added.end()) {
        for (const auto& [name, value] : added->second) {
            if (equalsIgnoringCase(name, key))
                return trimBlanks(value);
        }
    }
    found = false;
    return {};
}

std::string IniDocument::read(SectionRef section, std::string_view key, const std::string& defaultValue) const
{
    if (!section)
        return defaultValue;
    bool found = false;
    std::string_view value = storedValue(section.m_index, key, found);
    if (!found)
        return defaultValue;
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value.remove_prefix(1);
        value.remove_suffix(1);
    }
    return std::string(text::cutUtf8(value));
}

std::string IniDocument::read(std::string_view section, std::string_view key,
                              const std::string& defaultValue) const
{
    return read(findSection(section), key, defaultValue);
}

bool IniDocument::set(std::string_view sectionName, std::string_view keyName, std::string_view value)
{
    sectionName = trimBlanks(sectionName);
    keyName = trimBlanks(keyName);
    if (!validSectionName(sectionName) || !validKeyName(keyName))
        return false;

    std::string cleaned(value);
    std::replace(cleaned.begin(), cleaned.end(), '\r', ' ');
    std::replace(cleaned.begin(), cleaned.end(), '\n', ' ');

    std::size_t index = sectionIndex(sectionName);
    if (index == SectionRef::npos) {
        Section section;
        section.nameBegin = m_newNames.size();
        section.bodyBegin = section.bodyEnd = m_content.size();
        section.isNew = true;
        m_newNames.emplace_back(sectionName);
        m_sections.push_back(section);
        index = m_sections.size() - 1;
        if (m_indexed)
            m_index.emplace(lowerCase(sectionName), index);
    }
    if (const std::size_t existing = findKey(m_sections[index], keyName); existing != SectionRef::npos) {
        std::string tail = replaceValue(tailOf(existing), cleaned);
        m_tails.insert_or_assign(existing, std::move(tail));
        return true;
    }
    AddedKeys& added = m_added[index];
    for (auto& [name, tail] : added) {
        if (equalsIgnoringCase(name, keyName)) {
            tail = replaceValue(tail, cleaned);
            return true;
        }
    }
    added.emplace_back(std::string(keyName), std::move(cleaned));
    return true;
}

bool IniDocument::remove(std::string_view sectionName, std::string_view keyName)
{
    sectionName = trimBlanks(sectionName);
    keyName = trimBlanks(keyName);
    if (!validSectionName(sectionName) || !validKeyName(keyName))
        return false;
    const std::size_t index = sectionIndex(sectionName);
    if (index == SectionRef::npos)
        return true;
    const Section& section = m_sections[index];
    parseSection(section);
    for (std::size_t i = section.firstKey; i < section.endKey; ++i) {
        if (equalsIgnoringCase(nameOf(m_keys[i]), keyName)) {
            m_removed.insert(i);
            m_tails.erase(i);
        }
    }
    if (const auto added = m_added.find(index); added != m_added.end())
        std::erase_if(added->second,
                      [keyName](const auto& key) { return equalsIgnoringCase(key.first, keyName); });
    return true;
}

std::string IniDocument::render() const
{
    struct Edit
    {
        std::size_t begin;
        std::size_t end;
        const std::size_t* section; // the section whose added lines go here; null for a value replacement
        const std::string* value;
    };
    std::vector<Edit> edits;
    edits.reserve(m_tails.size() + m_removed.size());
    for (const auto& [key, tail] : m_tails)
        edits.push_back(Edit{m_keys[key].afterEquals, m_keys[key].lineEnd, nullptr, &tail});
    const std::string nothing;
    for (const std::size_t key : m_removed) {
        const std::size_t lineBegin = m_content.find_last_of("\r\n", m_keys[key].nameBegin);
        const std::size_t begin = lineBegin == std::string::npos ? m_bodyBegin : lineBegin + 1;
        edits.push_back(Edit{begin, nextLine(m_content, m_keys[key].lineEnd), nullptr, &nothing});
    }
    for (const auto& entry : m_added) {
        const Section& section = m_sections[entry.first];
        parseSection(section);
        edits.push_back(Edit{section.insertAt, section.insertAt, &entry.first, nullptr});
    }
    // A file's unterminated last line may take both a replacement and an insertion at its end; the
    // replacement goes first, and sections keep their order at the end of the file.
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.begin < b.begin || (a.begin == b.begin && !a.section && b.section);
    });

    const std::string_view text = m_content;
    bool unterminatedEnd = text.size() > m_bodyBegin && text.back() != '\n' && text.back() != '\r';
    const std::string crLf = "\r\n";
    std::string out;
    out.reserve(text.size() + 64 * edits.size());
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        out.append(text.substr(copied, edit.begin - copied));
        copied = edit.end;
        if (!edit.section) {
            out.append(*edit.value);
            continue;
        }
        if (edit.begin == text.size() && unterminatedEnd) {
            out.append(m_eol);
            unterminatedEnd = false;
        }
        // In a file of mixed line endings a lone CR of ours would join the LF of a blank line after it
        // into one line ending, and the blank line would vanish.
        const std::string& eol = (m_eol == "\r" && text.substr(edit.begin).starts_with('\n')) ? crLf : m_eol;
        const Section& section = m_sections[*edit.section];
        if (section.isNew)
            out.append("[").append(nameOf(section)).append("]").append(eol);
        for (const auto& [name, value] : m_added.at(*edit.section))
            out.append(name).append("=").append(value).append(eol);
    }
    out.append(text.substr(copied));
    return out;
}

} // namespace store
