#pragma once

#include "CommonFiles/foundation/ActivitySink.h"

#include <QTextStream>

// Activity lines on standard output, as they happen.
class ConsoleActivitySink : public ActivitySink {
public:
    explicit ConsoleActivitySink(QTextStream& out) : m_out(out) {}

    int LineCount() const override { return 0; }
    void Clear() override {}
    void Append(const QString& line) override;

private:
    QTextStream& m_out;
};
