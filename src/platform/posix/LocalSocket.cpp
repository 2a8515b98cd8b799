// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalSocket.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr int socketFlags = SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC;

// False when path does not fit: such a socket could not be reached by its full name.
bool addressOf(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

const sockaddr* generic(const sockaddr_un& address)
{
    return reinterpret_cast<const sockaddr*>(&address);
}

// A new socket and the address for path, or -1 when path does not fit or no socket can be had.
int socketFor(const std::string& path, sockaddr_un& address)
{
    return addressOf(path, address) ? ::socket(AF_UNIX, socketFlags, 0) : -1;
}

} // namespace

int connectLocal(const std::string& path, bool& busy)
{
    busy = false;
    sockaddr_un address;
    const int fd = socketFor(path, address);
    if (fd < 0)
        return -1;
    // A Unix socket connects at once or not at all; EAGAIN is a listener that takes no one from its queue.
    if (::connect(fd, generic(address), sizeof address) == 0)
        return fd;
    busy = errno == EAGAIN;
    ::close(fd);
    return -1;
}

int listenLocal(const std::string& path, bool& inUse)
{
    inUse = false;
    sockaddr_un address;
    const int fd = socketFor(path, address);
    if (fd < 0)
        return -1;
    if (::bind(fd, generic(address), sizeof address) != 0) {
        inUse = errno == EADDRINUSE;
        ::close(fd);
        return -1;
    }
    // The folder is the user's alone already; the socket file is closed to others as well, in case it is
    // ever moved or the folder opened.
    if (::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        ::unlink(path.c_str());
        return -1;
    }
    return fd;
}

int acceptLocal(int listener)
{
    return ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
}

bool sendLocal(int fd, const std::string& text)
{
    // A later start that gave up waiting has closed its end: that must not end this program by SIGPIPE.
    return ::send(fd, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size());
}

bool receivedLocal(int fd)
{
    char buffer[64];
    return ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0;
}

void closeLocal(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

void removeLocal(const std::string& path)
{
    ::unlink(path.c_str());
}

} // namespace platform
