// SPDX-License-Identifier: GPL-3.0-or-later
#include "ini.h"

#include "platform/AtomicFile.h"
#include "store/IniDocument.h"

namespace ini {

std::string ReadIni(const std::string& FileName, const std::string& Section, const std::string& Key,
                    const std::string& Default)
{
    store::IniDocument::Source source;
    return store::IniDocument::fromFile(FileName, source).read(Section, Key, Default);
}

bool WriteIni(const std::string& FileName, const std::string& Section, const std::string& Key,
              const std::string& Value)
{
    return WriteIniKeys(FileName, {KeyWrite{Section, Key, Value}});
}

bool WriteIniKeys(const std::string& FileName, const std::vector<KeyWrite>& writes)
{
    using Source = store::IniDocument::Source;
    Source source;
    store::IniDocument document = store::IniDocument::fromFile(FileName, source);
    // A file that exists but cannot be read is never replaced by one built from nothing.
    if (source == Source::Unreadable)
        return false;
    for (const KeyWrite& write : writes) {
        if (!(write.remove ? document.remove(write.section, write.key)
                           : document.set(write.section, write.key, write.value)))
            return false;
    }
    std::string content = document.render();
    if (writes.empty() || (source == Source::Read && content == document.original()))
        return true;
    return platform::replaceFileAtomically(FileName, content);
}

} // namespace ini
