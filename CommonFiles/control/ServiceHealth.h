#pragma once

#include "CommonFiles/control/HealthMetrics.h"
#include "CommonFiles/control/ImportSession.h"

#include <QString>

class CommonGlobals;

// The service's health file, r58213.prom in the program folder, which
// node_exporter's textfile collector reads: rewritten after every service
// import and whenever a due import is skipped because the configuration
// cannot be read. The file is read back before each write, so its counters
// go on across restarts and across imports the command line runs as the
// service. It is replaced whole and left readable by all, since the
// collector runs as another user. A file that cannot be written costs a log
// line, never the import.
class ServiceHealth {
public:
    // The environment variable that names the site (r58213@.service sets
    // it to the instance name).
    static inline const char* const kSiteVariable = "R58213_SITE";

    explicit ServiceHealth(CommonGlobals& globals) : m_globals(globals) {}

    static QString FilePath(const QString& programFolder);
    // The figures last written; none when there is no file.
    static HealthMetrics Read(const QString& programFolder);

    void RecordImport(ImportSession::Outcome outcome, const ImportStatistics& statistics);
    void RecordConfigurationError();

private:
    qint64 Now() const;
    void Write(HealthMetrics& metrics);

    CommonGlobals& m_globals;
};
