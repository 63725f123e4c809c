#include "bench/ResidentMemory.h"

#include <QFile>

qint64 ResidentMemory::CurrentKilobytes()
{
    return StatusField("VmRSS:");
}

qint64 ResidentMemory::PeakKilobytes()
{
    return StatusField("VmHWM:");
}

void ResidentMemory::ResetPeak()
{
    QFile refs("/proc/self/clear_refs");
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// A line such as "VmRSS:	   48212 kB".
qint64 ResidentMemory::StatusField(const char* name)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(name))
            return line.mid(qstrlen(name)).trimmed().split(' ').value(0).toLongLong();
    return 0;
}
