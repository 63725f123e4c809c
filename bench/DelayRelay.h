#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <atomic>

// The relay behind DelayProxy, living in its thread: a listening socket,
// and for each client connection one to the server, with the chunks on
// their way in each direction queued until they are due.
class DelayRelay : public QObject {
public:
    DelayRelay(const QString& host, quint16 port, const std::atomic<qint64>& delayNs, std::atomic<qint64>& roundTrips);

    quint16 Listen();

private:
    // One direction of one connection.
    struct Lane {
        QPointer<QTcpSocket> to;
        QQueue<std::pair<qint64, QByteArray>> due;  // nanoseconds since start, bytes
        QTimer timer;
    };
    struct Pair {
        Lane up;  // client to server
        Lane down;  // server to client
        bool receivedSinceSent = true;
    };

    void Accept();
    void Take(Pair& pair, Lane& lane, QTcpSocket& from, bool fromClient);
    void Deliver(Pair& pair, Lane& lane, bool toClient);

    QString m_host;
    quint16 m_port;
    const std::atomic<qint64>& m_delayNs;
    std::atomic<qint64>& m_roundTrips;
    QTcpServer m_server;
    QElapsedTimer m_clock;
};
