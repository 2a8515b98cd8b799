#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace platform {
namespace {

constexpr int answerWaitMs = 1000;

// The same folder reached through another path (a symbolic link, a trailing separator) is the same
// program with the same Data.ini. The user is part of the key because the socket lives in a shared
// temporary folder.
QString serverNameFor(const QString& programFolder)
{
    QString folder = QFileInfo(programFolder).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(QDir(programFolder).absolutePath());
    const QByteArray key = (folder + QLatin1Char('\n') + QDir::homePath()).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(20);
    return QStringLiteral("wakery-") + QString::fromLatin1(hash);
}

} // namespace

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent)
    : QObject(parent), m_name(serverNameFor(programFolder))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

bool SingleInstance::claim()
{
    if (askRunningCopy())
        return false;
    if (m_server.listen(m_name))
        return true;
    // Either a copy started at the same moment and listens now, or a copy that crashed left its socket
    // file behind.
    if (m_server.serverError() == QAbstractSocket::AddressInUseError) {
        if (askRunningCopy())
            return false;
        QLocalServer::removeServer(m_name);
        if (m_server.listen(m_name))
            return true;
    }
    return true;
}

bool SingleInstance::askRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(answerWaitMs))
        return false;
    // Being connected to is the whole request.
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(answerWaitMs);
    return true;
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        socket->abort();
        socket->deleteLater();
        emit showRequested();
    }
}

} // namespace platform
