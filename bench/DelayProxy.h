#pragma once

#include <QString>
#include <QThread>
#include <atomic>
#include <memory>

class DelayRelay;

// A TCP relay on 127.0.0.1 between the benchmark's program and its
// database server that holds every chunk for a one-way delay in both
// directions, in order, as a network a few milliseconds long would. It
// counts the round trips the client makes: a burst of bytes the client
// sends after it last received counts one. It serves the benchmark's own
// connections and stops with it.
class DelayProxy {
public:
    DelayProxy(const QString& host, quint16 port, int oneWayMicroseconds);
    ~DelayProxy();
    DelayProxy(const DelayProxy&) = delete;
    DelayProxy& operator=(const DelayProxy&) = delete;

    // The port the program connects to instead of the server's; 0 when the
    // relay could not listen.
    quint16 port() const { return m_port; }
    qint64 RoundTrips() const { return m_roundTrips.load(); }
    // For the chunks that come from now on.
    void setOneWayMicroseconds(int microseconds) { m_delayNs = 1000LL * microseconds; }
    void ResetRoundTrips() { m_roundTrips = 0; }

private:
    QThread m_thread;
    DelayRelay* m_relay = nullptr;
    quint16 m_port = 0;
    std::atomic<qint64> m_roundTrips{0};
    std::atomic<qint64> m_delayNs{0};
};
