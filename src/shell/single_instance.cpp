#include "single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

namespace mirte {

namespace {

constexpr char kRaise[] = "raise";
constexpr char kOpen[] = "open\t";
constexpr char kAnswer[] = "ok\n";
// A request is one short line; anything longer is not one of ours.
constexpr qint64 kMaxRequestBytes = qint64{64} * 1024;

} // namespace

QString TSingleInstance::DefaultName() {
    // The per-user runtime folder (mode 0700) keeps other users from taking the name first.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
        return QDir(runtime).filePath(QStringLiteral("mirte-instance"));
    }
    return QStringLiteral("mirte-%1").arg(::getuid());
}

TSingleInstance::TSingleInstance(QString name, QObject* parent)
    : QObject(parent), m_name(std::move(name)) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { ReadRequest(socket); });
        }
    });
}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::BecomeFirst() {
    // The lock decides who is first, so two starts at the same moment cannot both listen; a
    // lock left by a crashed instance is taken over (QLockFile checks whether its owner lives).
    m_lock = std::make_unique<QLockFile>(QDir::temp().filePath(m_name + QStringLiteral(".lock")));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    // A socket file left by a crashed instance would make listen() fail.
    QLocalServer::removeServer(m_name);
    if (!m_server.listen(m_name)) {
        // Still the only instance (the lock says so); later starts just cannot reach it.
        qWarning("mirte: cannot listen on %s: %s", qUtf8Printable(m_name),
                 qUtf8Printable(m_server.errorString()));
    }
    return true;
}

bool TSingleInstance::HandOver(const QString& folder, int timeoutMs) const {
    const QByteArray request =
        (folder.isEmpty() ? QByteArray(kRaise) : QByteArray(kOpen) + folder.toUtf8()) + '\n';
    // The running instance may hold the lock but not listen yet: try again for a moment.
    constexpr int kStepMs = 100;
    for (int waited = 0; waited <= timeoutMs; waited += kStepMs) {
        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (socket.waitForConnected(kStepMs)) {
            socket.write(request);
            if (!socket.waitForBytesWritten(timeoutMs)) {
                return false;
            }
            while (!socket.canReadLine() && socket.waitForReadyRead(timeoutMs)) {
            }
            return socket.readLine() == kAnswer;
        }
        QThread::msleep(kStepMs);
    }
    return false;
}

void TSingleInstance::ReadRequest(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequestBytes) {
            socket->abort();
        }
        return;
    }
    QByteArray line = socket->readLine(kMaxRequestBytes);
    line.chop(1);
    QString folder;
    if (line.startsWith(kOpen)) {
        folder = QString::fromUtf8(line.mid(int(sizeof(kOpen)) - 1));
    } else if (line != kRaise) {
        socket->abort();
        return;
    }
    socket->write(kAnswer);
    socket->flush();
    emit ActivationRequested(folder);
}

} // namespace mirte
