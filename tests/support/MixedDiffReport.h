#pragma once

#include "CommonFiles/control/DiffReport.h"

// A test import's report with every kind of slot for variable 1 of
// facility F01 on 1 March 2026, hourly: 6 written (2 of them over another
// stored value), 1 the same, 3 kept, 2 locked (lock date 12:00) and 4
// without value (one of them stored); and one written slot of variable 5
// of facility A02, walked after it.
inline DiffReport MixedDiffReport()
{
    const auto slot = [](const QString& facility, qint32 varId, int hour, const QString& stored, const QString& fresh) {
        SlotDecision d;
        d.facility = facility;
        d.facilityName = facility == "F01" ? "North" : "South";
        d.varId = varId;
        d.variableName = varId == 1 ? "Flow" : "Level";
        d.number = varId;
        d.slot = DateTime::FromParts(2026, 3, 1, hour);
        d.stored = !stored.isEmpty();
        d.storedValue = stored;
        d.storedStatus = 1;
        d.newValue = fresh;
        d.newStatus = 1;
        return d;
    };
    DiffReport diff;
    for (int hour = 0; hour < 6; ++hour)
        diff.AddWritten(slot("F01", 1, hour, hour < 2 ? "9" : "", QString::number(hour + 1)));
    diff.AddWritten(slot("F01", 1, 6, "7", "7"));
    for (int hour = 7; hour < 10; ++hour)
        diff.AddKept(slot("F01", 1, hour, "9", "4"));
    for (int hour = 12; hour < 14; ++hour)
        diff.AddLocked(slot("F01", 1, hour, "7", "3"), DateTime::FromParts(2026, 3, 1, 12));
    for (int hour = 14; hour < 18; ++hour)
        diff.AddNoValue(slot("F01", 1, hour, hour == 14 ? "2" : "", ""), "missing file");
    diff.AddWritten(slot("A02", 5, 0, "", "1.5"));
    return diff;
}
