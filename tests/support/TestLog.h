#pragma once

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

// The lines of a log's current file without their time stamps.
inline QStringList UnstampedLines(const QELLoggerTXT& log)
{
    if (log.CurrentFile().isEmpty())
        return {};
    QStringList all = TempFolder::Read(log.CurrentFile()).split("\r\n", Qt::SkipEmptyParts);
    for (QString& line : all)
        line = line.mid(11);  // "hh:mm:ss : "
    return all;
}

// Logs to a fresh folder, every line on disk at once, at the given verbosity.
inline void OpenTestLog(QELLoggerTXT& log, const QString& folder, qint16 verbosity)
{
    log.setLogPath(folder + "/log");
    log.setEnabled(true);
    log.setBufferLength(1);
    log.setVerbosity(verbosity);
}

// A text log in a fresh folder, every line on disk at once, at the given
// verbosity, read back without the time stamps.
struct TestLog {
    TempFolder folder;
    FakeClock clock;
    QELLoggerTXT log{clock, folder.path(), "r58213"};

    explicit TestLog(qint16 verbosity) { OpenTestLog(log, folder.path(), verbosity); }

    QStringList lines() const { return UnstampedLines(log); }
};
