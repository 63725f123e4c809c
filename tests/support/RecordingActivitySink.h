#pragma once

#include "CommonFiles/foundation/ActivitySink.h"

#include <QStringList>

// The activity list as a person would read it, and how often it was emptied.
class RecordingActivitySink : public ActivitySink {
public:
    int LineCount() const override { return static_cast<int>(lines.size()); }
    void Clear() override
    {
        lines.clear();
        ++clears;
    }
    void Append(const QString& line) override { lines.append(line); }

    QStringList lines;
    int clears = 0;
};
