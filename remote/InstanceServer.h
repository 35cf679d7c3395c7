// One panel per user: the first to start owns a lock and a local socket, and carries out the
// commands later starts of `ptz-panel` hand to it.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <functional>
#include <memory>

struct Outcome;
class QLocalSocket;
class QStringList;

class InstanceServer : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<Outcome(const QStringList &arguments)>;

    InstanceServer();
    ~InstanceServer() override;

    // True when this process is now the user's panel; false when another one is.
    bool claim();
    // Starts taking the arguments of other starts, answering each with `handler`'s outcome.
    bool serve(Handler handler);

    // The socket and lock of this user's panel.
    static QString socketName();
    static QString lockPath();

private slots:
    void accept();

private:
    void read(QLocalSocket *client);

    std::unique_ptr<QLockFile> lock;
    QLocalServer server;
    Handler handler;
};
