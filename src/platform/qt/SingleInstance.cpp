#include "SingleInstance.h"

#include "platform/RuntimeFolder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>

namespace platform {
namespace {

// What a running copy sends back; a copy that is hung accepts the connection (the kernel does that for
// it) but never sends it.
constexpr char answerText[] = "shown\n";

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
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
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
    if (m_server.listen(m_name))
        return true;
    // A copy that started at the same moment listens now, a crashed one left its socket file behind, or
    // a hung one holds it: the new copy takes the name over so that later starts find it.
    if (m_server.serverError() == QAbstractSocket::AddressInUseError) {
        if (first != Answer::Silent && askRunningCopy() == Answer::Answered)
            return false;
        QLocalServer::removeServer(m_name);
        if (m_server.listen(m_name))
            return true;
    }
    return true;
}

SingleInstance::Answer SingleInstance::askRunningCopy()
{
    const QDeadlineTimer deadline(m_answerWait);
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(static_cast<int>(m_answerWait.count())))
        return Answer::None;
    // The answer comes from the running copy's event loop. This loop waits for it rather than a blocking
    // read, so that a copy in this same process (a test) can answer too.
    if (socket.bytesAvailable() == 0 && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(deadline.remainingTime()), &loop, &QEventLoop::quit);
        connect(&socket, &QLocalSocket::readyRead, &loop, &QEventLoop::quit);
        connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return socket.bytesAvailable() > 0 ? Answer::Answered : Answer::Silent;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        socket->write(answerText, sizeof answerText - 1);
        socket->flush();
        socket->disconnectFromServer();
        emit showRequested();
    }
}

} // namespace platform
