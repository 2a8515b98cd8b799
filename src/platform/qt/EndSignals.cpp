// SPDX-License-Identifier: GPL-3.0-or-later
#include "EndSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::array endSignals{SIGTERM, SIGINT, SIGHUP};

// The handler may only write: the number goes through a pipe to the event loop.
int pipeWriteEnd = -1;

extern "C" void onEndSignal(int number)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const auto written = ::write(pipeWriteEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

EndSignals::EndSignals(QObject* parent) : QObject(parent)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default action: the program still ends
    pipeWriteEnd = ends[1];
    m_notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::received);
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : endSignals)
        ::sigaction(number, &action, nullptr);
}

EndSignals::~EndSignals()
{
    if (m_notifier == nullptr)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (const int number : endSignals)
        ::sigaction(number, &action, nullptr);
    const auto readEnd = static_cast<int>(m_notifier->socket());
    delete m_notifier;
    ::close(readEnd);
    ::close(pipeWriteEnd);
    pipeWriteEnd = -1;
}

void EndSignals::received()
{
    unsigned char byte = 0;
    while (::read(static_cast<int>(m_notifier->socket()), &byte, 1) == 1)
        emit endRequested(byte);
}

} // namespace platform
