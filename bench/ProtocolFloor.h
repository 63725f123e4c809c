#pragma once

#include "platform/DateTime.h"

#include <QString>

class CommonGlobals;

// The least the target's protocol costs per slot: the liveness query, seek
// procedure and write procedure the facility writer sends for an hourly
// slot, on a facility connection of their own with the procedures prepared
// once, and none of the import's work around them.
class ProtocolFloor {
public:
    // Nanoseconds for that many hourly slots of one variable, from first on;
    // each slot writes a new row.
    static qint64 Measure(CommonGlobals& globals, const QString& facility, qint32 varId, int slotCount,
                          const DateTime& first);
};
