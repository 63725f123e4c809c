#pragma once

#include <QString>

// Where activity lines are shown to a person: the main window's activity
// list, or standard output on the command line.
class ActivitySink {
public:
    virtual ~ActivitySink() = default;
    virtual int LineCount() const = 0;
    virtual void Clear() = 0;
    // Appends the line and brings it into view.
    virtual void Append(const QString& line) = 0;
};
