// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

// A folder that only this user can enter, for what other users must neither reach nor block (the
// single-instance socket): $XDG_RUNTIME_DIR when it is the user's own and closed to everyone else, else
// "wakery-<user id>" in the temporary folder, made when absent. Either must be a real folder (no link),
// owned by the user, with no access for group or others. Empty when neither is; why then says what was
// wrong with the second.
std::string privateRuntimeFolder(std::string& why);

} // namespace platform
