#include "foundation/ipc/InstanceChannel.h"

#include "foundation/platform/InstanceLock.h"
#include "foundation/platform/ProcessWatch.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>
#include <unistd.h>

namespace {

constexpr int RequestSize = 4;
constexpr int AnswerSize = 8;
/// A client that connects and sends nothing is dropped after this time.
constexpr int IdleClientMs = 5000;
/// sockaddr_un holds 108 bytes including the terminating zero.
constexpr qsizetype MaxSocketPath = 100;

} // namespace

QString InstanceServerName() {
    const QString folder = InstanceRuntimeFolder();
    if (folder.isEmpty())
        return QString();
    const QString user = QString::number(::getuid());
    QString name = folder + u'/' + QLatin1StringView(ControlWindowCaption) + u'-' + user;
    if (QFile::encodeName(name).size() > MaxSocketPath) {
        // A long runtime folder: a short name derived from the same text.
        const QByteArray hash = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
        name = folder + QStringLiteral("/hx-") + QString::fromLatin1(hash);
    }
    return name;
}

TInstanceServer::TInstanceServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceServer::OnNewConnection);
}

TInstanceServer::~TInstanceServer() {
    Close();
}

bool TInstanceServer::Listen(const QString& name) {
    if (name.isEmpty())
        return false;
    Close();
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

void TInstanceServer::Close() {
    if (m_server->isListening())
        m_server->close();
}

bool TInstanceServer::IsListening() const {
    return m_server->isListening();
}

void TInstanceServer::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        QTimer::singleShot(IdleClientMs, socket, [socket] { socket->abort(); });
        if (socket->bytesAvailable() >= RequestSize)
            OnReadyRead(socket);
    }
}

void TInstanceServer::OnReadyRead(QLocalSocket* socket) {
    if (socket->bytesAvailable() < RequestSize)
        return;
    char request[RequestSize];
    socket->read(request, RequestSize);
    const int message = static_cast<int>(qFromLittleEndian<qint32>(request));
    qint64 answer = 0;
    try {
        answer = m_handler ? m_handler(message) : 0;
    } catch (...) {
        answer = 0;
    }
    char reply[AnswerSize];
    qToLittleEndian<qint64>(answer, reply);
    socket->write(reply, AnswerSize);
    socket->flush();
    socket->disconnectFromServer();
}

std::optional<qint64> SendInstanceMessage(const QString& name, int message, int timeoutMs) {
    if (name.isEmpty())
        return std::nullopt;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return std::nullopt;
    char request[RequestSize];
    qToLittleEndian<qint32>(message, request);
    if (socket.write(request, RequestSize) != RequestSize)
        return std::nullopt;
    socket.flush();
    while (socket.bytesAvailable() < AnswerSize) {
        if (!socket.waitForReadyRead(timeoutMs))
            return std::nullopt;
    }
    char reply[AnswerSize];
    socket.read(reply, AnswerSize);
    return qFromLittleEndian<qint64>(reply);
}

TQuitRequestResult RequestRunningInstanceQuit(const QString& name, int pollMs) {
    const std::optional<qint64> ping = SendInstanceMessage(name, WM_HXPING);
    if (!ping)
        return TQuitRequestResult::NoInstance;
    if (*ping != HX_PING_REPLY)
        return TQuitRequestResult::NoPingReply;
    const std::optional<qint64> pid = SendInstanceMessage(name, WM_HXQUIT);
    TProcessWatch watch;
    if (!pid || !watch.Open(*pid))
        return TQuitRequestResult::InstanceStarting;
    watch.WaitForEnd(pollMs);
    return TQuitRequestResult::InstanceEnded;
}
