#pragma once

#include "cli/ExitStatus.h"

#include <QString>
#include <QTextStream>

class CommonGlobals;
struct HealthMetrics;

// r58213-cli status: whether the imports keep up, for a person and for a
// Nagios or Icinga check. The first line sums up (OK, CRITICAL or UNKNOWN,
// as such a check shows it); then one line per facility linked to the
// collector: its last success from the health file, its last-run date from
// the target, and the age of that date. A facility is overdue when it has
// no last-run date, or its last-run date or its last success is older than
// twice the schedule period. With an archive configured, nothing filed in it
// for more than two days is a warning. Nothing is written.
class HealthStatus {
public:
    HealthStatus(CommonGlobals& globals, QTextStream& out) : m_globals(globals), m_out(out) {}

    // Success when every facility keeps up, Overdue when one does not,
    // Warning when only the archive lags, Unknown when the target cannot be
    // read.
    ExitStatus Run();

private:
    QString ArchiveWarning(const HealthMetrics& metrics, qint64 now) const;

    CommonGlobals& m_globals;
    QTextStream& m_out;
};
