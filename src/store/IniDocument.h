#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace store {

// One parse of a profile (INI) file, shared by ReadIni, WriteIni and the whole-table load so that all of
// them read the same bytes the same way.
//
// Lines end in CR LF, LF or a lone CR. A line whose first non-blank character is ';' is a comment; one
// starting with '[' names a section up to its first ']' (text after the ']' is ignored, a line without
// ']' is ignored); any other line with '=' is a key. Blanks (spaces, tabs) around names and values do
// not count. Only the first section of a name and the first key of a name within it count; names
// match without regard to ASCII case. A UTF-8 byte-order mark at the start is skipped and kept.
//
// Edits are collected and the new text is built once by render(): every byte the edits do not touch is
// copied through unchanged.
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

    // The file's text with every edit applied.
    std::string render() const;
    const std::string& original() const { return m_content; }

    // A stored value cut to at most maxBytes bytes, before any UTF-8 character that would not fit whole.
    static std::string_view cutUtf8(std::string_view value, std::size_t maxBytes);

private:
    struct Key
    {
        std::string name;
        std::size_t afterEquals = 0; // the key's text after '=' is [afterEquals, lineEnd) of m_content
        std::size_t lineEnd = 0;
        std::optional<std::string> tail; // the new text after '=', once set
    };
    struct Section
    {
        std::string name;
        std::size_t insertAt = 0; // where a new key line goes (just past the section's last content line)
        std::vector<Key> keys;    // every key line in file order; the first of a name counts
        std::vector<std::pair<std::string, std::string>> added; // name and text after '=' of added keys
        bool isNew = false;
    };

    void parse();
    const Key* findKey(const Section& section, std::string_view key) const;
    std::size_t sectionIndex(std::string_view name) const;
    std::string_view storedValue(const Section& section, std::string_view key, bool& found) const;
    std::string_view tailOf(const Key& key) const;

    std::string m_content;
    std::size_t m_bodyBegin = 0;     // past the byte-order mark
    std::string m_eol;               // the file's own line ending, for lines this document adds
    std::vector<Section> m_sections; // every header in file order, then sections added by set()
    mutable std::unordered_map<std::string, std::size_t> m_index; // lower-case name -> first section
    mutable bool m_indexed = false;
};

} // namespace store
