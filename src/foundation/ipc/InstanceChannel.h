#pragma once

#include "foundation/ipc/InstanceProtocol.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;

/// The running instance's end of the instance channel, the stand-in for the window that other
/// processes find by its caption and send messages to. Each connection carries one request (the
/// message number, 4 bytes little-endian) and gets one answer (8 bytes little-endian, signed);
/// the handler runs on the thread that owns the server, between other events.
class TInstanceServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<qint64(int message)>;
    explicit TInstanceServer(Handler handler, QObject* parent = nullptr);
    ~TInstanceServer() override;

    /// Starts listening under name (see InstanceServerName). A socket file left behind by a
    /// crashed instance is removed first: the caller holds the single-instance lock, so no live
    /// instance can own it. Only this user may connect.
    bool Listen(const QString& name);
    void Close();
    bool IsListening() const;

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);

    Handler m_handler;
    QLocalServer* m_server;
};

/// Sends one message to the running instance and waits for the answer; nothing if no instance
/// listens under name or none answers within timeoutMs.
std::optional<qint64> SendInstanceMessage(const QString& name, int message, int timeoutMs = 5000);

/// How a quit request ended.
enum class TQuitRequestResult {
    NoInstance,       ///< nobody listens
    NoPingReply,      ///< the listener does not answer the ping correctly
    InstanceStarting, ///< the instance has no main window yet (answer 0) or its process cannot be opened
    InstanceEnded,    ///< the instance was asked to quit and has ended
};

/// The "-quit" request: ping the running instance, ask it to quit, then wait, checking every
/// pollMs milliseconds and without a time limit, until its process has ended (it may take as
/// long as it needs to save its data).
TQuitRequestResult RequestRunningInstanceQuit(const QString& name, int pollMs = 10);
