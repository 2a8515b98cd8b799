// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace platform {

// Unix domain stream sockets named by a path, for the guard that keeps one copy of the program running.
// Every descriptor is non-blocking and closed on exec; the caller closes it with closeLocal.

// A socket connected to the listener at path, or -1 when none listens there (no file, or one left by a
// copy that ended). busy is set when a listener is there but its queue is full, as with a hung copy.
int connectLocal(const std::string& path, bool& busy);

// A socket listening at path that only this user may reach, or -1; inUse is set when path exists.
int listenLocal(const std::string& path, bool& inUse);

// The next waiting connection on a listening socket, or -1 when there is none.
int acceptLocal(int listener);

// Sends text without waiting; false when the peer has gone or cannot take it now.
bool sendLocal(int fd, const std::string& text);

// Whether anything arrived on fd (what arrived is read and dropped).
bool receivedLocal(int fd);

void closeLocal(int fd);
void removeLocal(const std::string& path);

} // namespace platform
