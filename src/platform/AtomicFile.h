#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the whole file with content in one step: a temporary file in the same folder is written,
// flushed to disk and renamed over the old one, so a crash or power cut leaves either the old bytes or
// the new ones. False when any step fails; the old file is then untouched.
bool replaceFileAtomically(const std::string& path, std::string_view content);

} // namespace platform
