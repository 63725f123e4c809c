#pragma once

#include <QtGlobal>

// The process's resident memory as Linux reports it in /proc/self/status,
// in kilobytes (0 when it cannot be read).
class ResidentMemory {
public:
    static qint64 CurrentKilobytes();
    static qint64 PeakKilobytes();
    // The peak starts again from the current size, so the next phase of a
    // run reports a peak of its own.
    static void ResetPeak();

private:
    static qint64 StatusField(const char* name);
};
