// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace store {

// One parse of a profile (INI) file, shared by ReadIni, WriteIni and the whole-table load so that all of
// them read the same bytes the same way.
//
// Lines end in CR LF, LF or a lone CR. A line whose first non-blank character is ';' is a comment; one
// whose first non-blank character is '[' names a section up to its first ']' (text after the ']' is
// ignored, a line without ']' is ignored); any other line with '=' is a key of the section above it
// (lines before the first section belong to none). Blanks (spaces, tabs) around names and values do
// not count. Only the first section of a name and the first key of a name within it count; names
// match without regard to ASCII case. A UTF-8 byte-order mark at the start is skipped and kept.
//
// Edits are collected and the new text is built once by render(): every byte the edits do not touch is
// copied through unchanged. Lookups classify a section's lines on first use, so even the const members
// change internal state: one document belongs to one thread.
class IniDocument
{
public:
    enum class Source { Missing, Read, Unreadable };

    IniDocument() : IniDocument(std::string()) {}
    explicit IniDocument(std::string content);

    // Reads the file. A missing file and an unreadable one (a folder, no permission, a read error) give
    // an empty document; source tells them apart.
    static IniDocument fromFile(const std::string& path, Source& source);

    // The value exactly as ReadIni gives it: quotes of a quoted value removed, cut to 254 bytes without
    // splitting a UTF-8 character; defaultValue when the section or the key is absent.
    std::string read(std::string_view section, std::string_view key, const std::string& defaultValue) const;

    // A section looked up once, for readers that take several keys from it.
    class SectionRef
    {
    public:
        explicit operator bool() const { return m_index != npos; }

    private:
        friend class IniDocument;
        static constexpr std::size_t npos = static_cast<std::size_t>(-1);
        std::size_t m_index = npos;
    };
    SectionRef findSection(std::string_view section) const;
    std::string read(SectionRef section, std::string_view key, const std::string& defaultValue) const;

    // Sets key in section as WriteIni does: CR and LF in value become blanks, an existing key keeps its
    // spelling and place, a missing key goes after the last line of its section that is neither blank
    // nor a comment, a missing section goes at the end of the file. False, and no change, when the names
    // cannot stand in a profile file (empty, a line break, '=' in a key, ']' in a section, ...).
    bool set(std::string_view section, std::string_view key, std::string_view value);
    // Takes key out of section, every line of that name with its line ending, as the Windows profile
    // functions do for a null value. A key or section that is not there is no change; false only for
    // names set() would refuse.
    bool remove(std::string_view section, std::string_view key);

    // The file's text with every edit applied.
    std::string render() const;
    const std::string& original() const { return m_content; }

private:
    // Names and values are offsets into m_content, so that a parse allocates nothing per line.
    struct Key
    {
        std::size_t nameBegin = 0;
        std::size_t nameSize = 0;
        std::size_t afterEquals = 0; // the key's text after '=' is [afterEquals, lineEnd)
        std::size_t lineEnd = 0;
    };
    // A section's lines are classified only when it is first used: a single ReadIni or WriteIni then
    // touches one section, not the whole file.
    struct Section
    {
        std::size_t nameBegin = 0; // in m_content, or for an added section its index in m_newNames
        std::size_t nameSize = 0;
        std::size_t bodyBegin = 0; // its lines: from past the header to the next header's line
        std::size_t bodyEnd = 0;
        bool isNew = false;
        mutable bool parsed = false;
        mutable std::size_t insertAt = 0; // where a new key line goes: past the last content line
        mutable std::size_t firstKey = 0; // its key lines are m_keys[firstKey, endKey); the first of a
        mutable std::size_t endKey = 0;   // name counts
    };

    void parse();
    void parseSection(const Section& section) const;
    std::string_view nameOf(const Section& section) const;
    std::string_view nameOf(const Key& key) const;
    std::size_t findKey(const Section& section, std::string_view key) const;
    std::size_t sectionIndex(std::string_view name) const;
    std::string_view storedValue(std::size_t section, std::string_view key, bool& found) const;
    std::string_view tailOf(std::size_t key) const;

    std::string m_content;
    std::size_t m_bodyBegin = 0;     // past the byte-order mark
    std::string m_eol;               // the file's own line ending, for lines this document adds
    std::vector<Section> m_sections; // every header in file order, then sections added by set()
    mutable std::vector<Key> m_keys; // the key lines of each parsed section, one block per section
    std::unordered_map<std::size_t, std::string> m_tails;               // key -> its new text after '='
    std::unordered_set<std::size_t> m_removed;                          // keys whose lines go
    using AddedKeys = std::vector<std::pair<std::string, std::string>>; // name, text after '='
    std::map<std::size_t, AddedKeys> m_added;                           // section -> keys set() adds
    std::vector<std::string> m_newNames;                                // of the sections set() adds
    // Lower-case name -> first section of that name, built once lookups become many: one ReadIni
    // scans faster than it could build the table.
    mutable std::unordered_map<std::string, std::size_t> m_index;
    mutable std::size_t m_lookups = 0;
    mutable bool m_indexed = false;
};

} // namespace store
