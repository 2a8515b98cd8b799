// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include "platform/LocalSocket.h"
#include "platform/RuntimeFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <string>

namespace platform {
namespace {

// What a running copy sends back; a copy that is hung accepts the connection (the kernel does that for
// it) but never sends it.
const std::string answerText = "shown\n";

// The same folder reached through another path (a symbolic link, a trailing separator) is the same
// program with the same Data.ini.
QString serverNameFor(const QString& programFolder, const QString& runtimeFolder)
{
    QString folder = QFileInfo(programFolder).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(QDir(programFolder).absolutePath());
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(20);
    return runtimeFolder + QStringLiteral("/wakery-") + QString::fromLatin1(hash);
}

} // namespace

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent,
                               std::chrono::milliseconds answerWait)
    : QObject(parent), m_answerWait(answerWait)
{
    std::string why;
    const std::string runtime = privateRuntimeFolder(why);
    if (runtime.empty())
        m_note = QStringLiteral("no private folder for the socket that finds a running copy (%1); starting "
                                "without that check")
                     .arg(QString::fromStdString(why));
    else
        m_name = serverNameFor(programFolder, QString::fromStdString(runtime));
}

SingleInstance::~SingleInstance()
{
    if (m_listener < 0)
        return;
    delete m_notifier;
    closeLocal(m_listener);
    removeLocal(m_name.toStdString());
}

bool SingleInstance::claim()
{
    if (m_name.isEmpty())
        return true;
    const Answer first = askRunningCopy();
    if (first == Answer::Answered)
        return false;
    if (first == Answer::Silent)
        m_note = QStringLiteral("a running copy did not answer within %1 ms; starting anyway")
                     .arg(m_answerWait.count());
    bool inUse = false;
    if (listen(inUse))
        return true;
    // A copy that started at the same moment listens now, a crashed one left its socket file behind, or
    // a hung one holds it: the new copy takes the name over so that later starts find it.
    if (inUse) {
        if (first != Answer::Silent && askRunningCopy() == Answer::Answered)
            return false;
        removeLocal(m_name.toStdString());
        listen(inUse);
    }
    return true;
}

bool SingleInstance::listen(bool& inUse)
{
    m_listener = listenLocal(m_name.toStdString(), inUse);
    if (m_listener < 0)
        return false;
    m_notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::acceptConnection);
    return true;
}

SingleInstance::Answer SingleInstance::askRunningCopy()
{
    bool busy = false;
    const int fd = connectLocal(m_name.toStdString(), busy);
    if (fd < 0)
        return busy ? Answer::Silent : Answer::None;
    // The answer comes from the running copy's event loop. This loop waits for it rather than a blocking
    // read, so that a copy in this same process (a test) can answer too.
    QEventLoop loop;
    QSocketNotifier readable(fd, QSocketNotifier::Read);
    connect(&readable, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    QTimer::singleShot(m_answerWait, &loop, &QEventLoop::quit);
    loop.exec();
    const bool answered = receivedLocal(fd);
    readable.setEnabled(false);
    closeLocal(fd);
    return answered ? Answer::Answered : Answer::Silent;
}

void SingleInstance::acceptConnection()
{
    for (int fd = acceptLocal(m_listener); fd >= 0; fd = acceptLocal(m_listener)) {
        sendLocal(fd, answerText);
        closeLocal(fd);
        emit showRequested();
    }
}

} // namespace platform
