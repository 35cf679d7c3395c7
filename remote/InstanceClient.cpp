#include "InstanceClient.h"
#include "InstanceServer.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalSocket>

bool InstanceClient::handOver(const QStringList &arguments, Outcome &outcome)
{
    QLocalSocket socket;
    socket.connectToServer(InstanceServer::socketName());
    if (!socket.waitForConnected(1000))
        return false;
    {
        QDataStream out(&socket);
        out << Protocol << arguments;
    }
    socket.flush();
    // A motion may take its time: the answer comes when the command has been carried out.
    const QDeadlineTimer deadline(30000);
    QDataStream in(&socket);
    for (;;) {
        in.startTransaction();
        qint32 exitCode = 0;
        in >> exitCode >> outcome.output >> outcome.error;
        if (in.commitTransaction()) {
            outcome.exitCode = exitCode;
            return true;
        }
        if (deadline.hasExpired() || socket.state() != QLocalSocket::ConnectedState ||
            !socket.waitForReadyRead(int(deadline.remainingTime()))) {
            outcome = Outcome::failed("the running panel did not answer");
            return true;
        }
    }
}
