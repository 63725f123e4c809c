#include "bench/DelayProxy.h"

#include "bench/DelayRelay.h"

#include <QMetaObject>

DelayProxy::DelayProxy(const QString& host, quint16 port, int oneWayMicroseconds)
{
    setOneWayMicroseconds(oneWayMicroseconds);
    m_relay = new DelayRelay(host, port, m_delayNs, m_roundTrips);
    m_relay->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_relay, &QObject::deleteLater);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_relay, [this] { m_port = m_relay->Listen(); }, Qt::BlockingQueuedConnection);
}

DelayProxy::~DelayProxy()
{
    m_thread.quit();
    m_thread.wait();
}
