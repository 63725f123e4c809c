#include "bench/DelayProxy.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A server that sends back whatever it reads, for one connection.
class EchoServer {
public:
    EchoServer()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(m_listener, 1);
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] {
            const int peer = ::accept(m_listener, nullptr, nullptr);
            char buffer[4096];
            for (ssize_t n; peer >= 0 && (n = ::read(peer, buffer, sizeof(buffer))) > 0;)
                if (::write(peer, buffer, static_cast<size_t>(n)) != n)
                    break;
            if (peer >= 0)
                ::close(peer);
        });
    }
    ~EchoServer()
    {
        ::shutdown(m_listener, SHUT_RDWR);
        ::close(m_listener);
        m_thread.join();
    }
    quint16 port() const { return m_port; }

private:
    int m_listener = -1;
    quint16 m_port = 0;
    std::thread m_thread;
};

QByteArray Receive(QTcpSocket& socket, qsizetype bytes)
{
    QByteArray received;
    while (received.size() < bytes && socket.waitForReadyRead(2000))
        received += socket.readAll();
    return received;
}

}  // namespace

// What the client sends before it hears back counts as one round trip,
// however many writes it takes; every chunk arrives late by the delay, in
// the order it was sent.
TEST(DelayProxy, CountsEachBurstOfTheClientAsOneRoundTripAndDelaysInOrder)
{
    EchoServer echo;
    DelayProxy proxy("127.0.0.1", echo.port(), 20000);
    ASSERT_NE(proxy.port(), 0);
    QTcpSocket client;
    client.connectToHost("127.0.0.1", proxy.port());
    ASSERT_TRUE(client.waitForConnected(2000));

    QElapsedTimer timer;
    timer.start();
    client.write("a");
    client.flush();
    EXPECT_EQ(Receive(client, 1), "a");
    EXPECT_GE(timer.elapsed(), 40) << "20 ms each way";

    QByteArray burst;
    for (int i = 0; i < 50; ++i) {
        const QByteArray chunk = QByteArray::number(i) + ",";
        burst += chunk;
        client.write(chunk);
        client.flush();
    }
    EXPECT_EQ(Receive(client, burst.size()), burst);
    client.write("z");
    client.flush();
    EXPECT_EQ(Receive(client, 1), "z");
    EXPECT_EQ(proxy.RoundTrips(), 3);
    proxy.ResetRoundTrips();
    EXPECT_EQ(proxy.RoundTrips(), 0);
}
