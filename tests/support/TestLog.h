#pragma once

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

// A text log in a fresh folder, every line on disk at once, at the given
// verbosity, read back without the time stamps.
struct TestLog {
    TempFolder folder;
    FakeClock clock;
    QELLoggerTXT log{clock, folder.path(), "r58213"};

    explicit TestLog(qint16 verbosity)
    {
        log.setLogPath(folder.path() + "/log");
        log.setEnabled(true);
        log.setBufferLength(1);
        log.setVerbosity(verbosity);
    }

    QStringList lines() const
    {
        if (log.CurrentFile().isEmpty())
            return {};
        QStringList all = TempFolder::Read(log.CurrentFile()).split("\r\n", Qt::SkipEmptyParts);
        for (QString& line : all)
            line = line.mid(11);  // "hh:mm:ss : "
        return all;
    }
};
