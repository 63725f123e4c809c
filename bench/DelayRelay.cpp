#include "bench/DelayRelay.h"

#include <QHostAddress>
#include <algorithm>

DelayRelay::DelayRelay(const QString& host, quint16 port, const std::atomic<qint64>& delayNs,
                       std::atomic<qint64>& roundTrips)
    : m_host(host), m_port(port), m_delayNs(delayNs), m_roundTrips(roundTrips), m_server(this)
{
    m_clock.start();
    connect(&m_server, &QTcpServer::newConnection, this, &DelayRelay::Accept);
}

quint16 DelayRelay::Listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0) ? m_server.serverPort() : 0;
}

void DelayRelay::Accept()
{
    while (QTcpSocket* client = m_server.nextPendingConnection()) {
        auto* server = new QTcpSocket(client);
        // The pair goes with the client's socket.
        auto* pair = new Pair;
        connect(client, &QObject::destroyed, [pair] { delete pair; });
        pair->up.to = server;
        pair->down.to = client;
        for (auto* socket : {client, server})
            socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(client, &QTcpSocket::readyRead, this, [this, pair, client] { Take(*pair, pair->up, *client, true); });
        connect(server, &QTcpSocket::readyRead, this,
                [this, pair, server] { Take(*pair, pair->down, *server, false); });
        connect(&pair->up.timer, &QTimer::timeout, this, [this, pair] { Deliver(*pair, pair->up, false); });
        connect(&pair->down.timer, &QTimer::timeout, this, [this, pair] { Deliver(*pair, pair->down, true); });
        connect(client, &QTcpSocket::disconnected, server, &QTcpSocket::disconnectFromHost);
        connect(server, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        for (Lane* lane : {&pair->up, &pair->down}) {
            lane->timer.setSingleShot(true);
            lane->timer.setTimerType(Qt::PreciseTimer);
        }
        server->connectToHost(m_host, m_port);
    }
}

void DelayRelay::Take(Pair& pair, Lane& lane, QTcpSocket& from, bool fromClient)
{
    const QByteArray bytes = from.readAll();
    if (bytes.isEmpty())
        return;
    if (fromClient && pair.receivedSinceSent) {
        ++m_roundTrips;
        pair.receivedSinceSent = false;
    }
    lane.due.enqueue({m_clock.nsecsElapsed() + m_delayNs.load(), bytes});
    if (!lane.timer.isActive())
        lane.timer.start(0);
}

// Every chunk that is due goes, in the order it came; the timer waits for
// the next one.
void DelayRelay::Deliver(Pair& pair, Lane& lane, bool toClient)
{
    while (!lane.due.isEmpty() && lane.due.head().first <= m_clock.nsecsElapsed()) {
        if (lane.to)
            lane.to->write(lane.due.dequeue().second);
        else
            lane.due.dequeue();
        if (toClient)
            pair.receivedSinceSent = true;
    }
    if (!lane.due.isEmpty()) {
        const qint64 waitNs = lane.due.head().first - m_clock.nsecsElapsed();
        // Whole milliseconds are waited for; the rest, through the event
        // loop, so that a delay below a millisecond is kept.
        lane.timer.start(static_cast<int>(std::max<qint64>(0, waitNs / 1000000)));
    }
}
