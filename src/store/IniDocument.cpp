#include "IniDocument.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace store {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t maxValueBytes = 254;
constexpr std::size_t linearLookupLimit = 8;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

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

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
bool isLeadByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0xC0;
}

// The text after a key's '=' once value replaces the value in it. The blanks around the old value stay,
// unless the new value has blanks of its own at that end: those would pile up with every write of the
// same value.
std::string replaceValue(std::string_view tail, std::string_view value)
{
    const std::size_t first = tail.find_first_not_of(" \t");
    const std::size_t last = tail.find_last_not_of(" \t");
    const std::string_view before = first == std::string_view::npos ? tail : tail.substr(0, first);
    const std::string_view after = last == std::string_view::npos ? std::string_view() : tail.substr(last + 1);
    std::string result;
    if (value.empty() || !isBlank(value.front()))
        result.append(before);
    result.append(value);
    if (value.empty() || !isBlank(value.back()))
        result.append(after);
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
bool readWholeFile(const std::string& path, std::string& content)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char buffer[1 << 16];
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        content.append(buffer, got);
        if (got < sizeof buffer) {
            ok = std::ferror(file) == 0;
            break;
        }
    }
    return (std::fclose(file) == 0) && ok;
}

} // namespace

IniDocument::IniDocument(std::string content) : m_content(std::move(content))
{
    parse();
}

IniDocument IniDocument::fromFile(const std::string& path, Source& source)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        source = Source::Missing;
        return IniDocument();
    }
    std::string content;
    if (error || status.type() != std::filesystem::file_type::regular || !readWholeFile(path, content)) {
        source = Source::Unreadable;
        return IniDocument();
    }
    source = Source::Read;
    return IniDocument(std::move(content));
}

void IniDocument::parse()
{
    const std::string_view text = m_content;
    m_bodyBegin = text.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t current = none;

    std::size_t pos = m_bodyBegin;
    while (pos < text.size()) {
        std::size_t lineEnd = pos;
        while (lineEnd < text.size() && text[lineEnd] != '\r' && text[lineEnd] != '\n')
            ++lineEnd;
        std::size_t next = lineEnd;
        if (next < text.size()) {
            next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2u : 1u;
            if (m_eol.empty())
                m_eol = std::string(text.substr(lineEnd, next - lineEnd));
        }

        std::size_t first = pos;
        while (first < lineEnd && isBlank(text[first]))
            ++first;
        if (first < lineEnd && text[first] != ';') {
            const std::string_view line = text.substr(first, lineEnd - first);
            const std::size_t close = line.find(']');
            if (line.front() == '[' && close != std::string_view::npos) {
                Section section;
                section.name = std::string(trimBlanks(line.substr(1, close - 1)));
                section.insertAt = next;
                m_sections.push_back(std::move(section));
                current = m_sections.size() - 1;
            } else if (current != none) {
                Section& section = m_sections[current];
                section.insertAt = next;
                const std::size_t equals = line.find('=');
                const std::string_view name = equals == std::string_view::npos
                                                  ? std::string_view()
                                                  : trimBlanks(line.substr(0, equals));
                if (!name.empty() && line.front() != '[') {
                    section.keys.push_back(
                        Key{std::string(name), first + equals + 1, lineEnd, std::nullopt});
                }
            }
        }
        pos = next;
    }
    if (m_eol.empty())
        m_eol = "\r\n";
}

std::size_t IniDocument::sectionIndex(std::string_view name) const
{
    name = trimBlanks(name);
    if (m_sections.size() <= linearLookupLimit) {
        for (std::size_t i = 0; i < m_sections.size(); ++i) {
            if (equalsIgnoringCase(m_sections[i].name, name))
                return i;
        }
        return SectionRef::npos;
    }
    if (!m_indexed) {
        m_index.reserve(m_sections.size());
        for (std::size_t i = 0; i < m_sections.size(); ++i)
            m_index.emplace(lowerCase(m_sections[i].name), i); // the first section of a name wins
        m_indexed = true;
    }
    const auto found = m_index.find(lowerCase(name));
    return found == m_index.end() ? SectionRef::npos : found->second;
}

const IniDocument::Key* IniDocument::findKey(const Section& section, std::string_view key) const
{
    for (const Key& candidate : section.keys) {
        if (equalsIgnoringCase(candidate.name, key))
            return &candidate;
    }
    return nullptr;
}

IniDocument::SectionRef IniDocument::findSection(std::string_view section) const
{
    SectionRef ref;
    ref.m_index = sectionIndex(section);
    return ref;
}

std::string_view IniDocument::storedValue(const Section& section, std::string_view key, bool& found) const
{
    key = trimBlanks(key);
    found = true;
    if (const Key* existing = findKey(section, key))
        return trimBlanks(tailOf(*existing));
    for (const auto& [name, value] : section.added) {
        if (equalsIgnoringCase(name, key))
            return trimBlanks(value);
    }
    found = false;
    return {};
}

std::string_view IniDocument::tailOf(const Key& key) const
{
    if (key.tail)
        return *key.tail;
    return std::string_view(m_content).substr(key.afterEquals, key.lineEnd - key.afterEquals);
}

std::string IniDocument::read(SectionRef section, std::string_view key, const std::string& defaultValue) const
{
    if (!section)
        return defaultValue;
    bool found = false;
    std::string_view value = storedValue(m_sections[section.m_index], key, found);
    if (!found)
        return defaultValue;
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value.remove_prefix(1);
        value.remove_suffix(1);
    }
    return std::string(cutUtf8(value, maxValueBytes));
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
        section.name = std::string(sectionName);
        section.insertAt = m_content.size();
        section.isNew = true;
        m_sections.push_back(std::move(section));
        index = m_sections.size() - 1;
        if (m_indexed)
            m_index.emplace(lowerCase(sectionName), index);
    }
    Section& section = m_sections[index];
    for (Key& existing : section.keys) {
        if (equalsIgnoringCase(existing.name, keyName)) {
            existing.tail = replaceValue(tailOf(existing), cleaned);
            return true;
        }
    }
    for (auto& [name, tail] : section.added) {
        if (equalsIgnoringCase(name, keyName)) {
            tail = replaceValue(tail, cleaned);
            return true;
        }
    }
    section.added.emplace_back(std::string(keyName), std::move(cleaned));
    return true;
}

std::string IniDocument::render() const
{
    struct Edit
    {
        std::size_t begin;
        std::size_t end;
        const Section* insert; // lines to add; null for a value replacement
        const std::string* value;
    };
    std::vector<Edit> edits;
    for (const Section& section : m_sections) {
        for (const Key& key : section.keys) {
            if (key.tail)
                edits.push_back(Edit{key.afterEquals, key.lineEnd, nullptr, &*key.tail});
        }
        if (!section.added.empty())
            edits.push_back(Edit{section.insertAt, section.insertAt, &section, nullptr});
    }
    // Already in file order, except that a file's unterminated last line may take both a replacement and
    // an insertion at its end; the stable sort keeps the replacement first.
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.begin < b.begin; });

    const std::string_view text = m_content;
    bool unterminatedEnd = text.size() > m_bodyBegin && text.back() != '\n' && text.back() != '\r';
    const std::string crLf = "\r\n";
    std::string out;
    out.reserve(text.size() + 64 * edits.size());
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        out.append(text.substr(copied, edit.begin - copied));
        copied = edit.end;
        if (!edit.insert) {
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
        if (edit.insert->isNew)
            out.append("[").append(edit.insert->name).append("]").append(eol);
        for (const auto& [name, value] : edit.insert->added)
            out.append(name).append("=").append(value).append(eol);
    }
    out.append(text.substr(copied));
    return out;
}

std::string_view IniDocument::cutUtf8(std::string_view value, std::size_t maxBytes)
{
    if (value.size() <= maxBytes)
        return value;
    std::size_t cut = maxBytes;
    for (int step = 0; step < 3 && cut > 0 && isContinuationByte(value[cut]); ++step)
        --cut;
    if (cut == maxBytes || !isLeadByte(value[cut]))
        cut = maxBytes; // not UTF-8 at this point: plain bytes are cut where the count ends
    return value.substr(0, cut);
}

} // namespace store
