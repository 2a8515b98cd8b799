// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the whole file with content in one step: a temporary file in the same folder is written,
// flushed to disk and renamed over the old one, so a crash or power cut leaves either the old bytes or
// the new ones. False when any step fails; the old file is then untouched.
bool replaceFileAtomically(const std::string& path, std::string_view content);

// Creates folder and the missing folders above it, readable by the user alone, as the user's
// configuration folders should be. True when the folder is there afterwards.
bool makeFolders(const std::string& folder);

} // namespace platform
