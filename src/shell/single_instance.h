#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace mirte {

// Keeps ミルテ to one running instance per user. The first instance holds a lock file for its
// whole life and listens on a local socket; a later start finds the lock taken, hands its
// request (bring the window to the front, or open a folder) to the running instance through
// the socket and ends.
class TSingleInstance : public QObject {
    Q_OBJECT

public:
    // The per-user name of the socket and the lock file: a path in the user's runtime folder.
    static QString DefaultName();

    explicit TSingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
    ~TSingleInstance() override;

    // Takes the lock and starts listening. False when another instance holds the lock; true
    // once the lock is ours, even if listening failed (later starts then cannot reach us).
    bool BecomeFirst();

    // Hands the request to the instance that holds the lock; an empty folder only asks it to
    // come to the front. False when no instance answered within the time. Blocks: may run on
    // any thread, and needs no event loop.
    bool HandOver(const QString& folder, int timeoutMs = 3000) const;

signals:
    // A later start asked the running instance to show itself; folder is empty or the folder
    // it was started with.
    void ActivationRequested(const QString& folder);

private:
    void ReadRequest(QLocalSocket* socket);

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

} // namespace mirte
