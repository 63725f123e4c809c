#pragma once

#include "CommonFiles/control/ConfigurationKeys.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"
#include "support/TestLog.h"

// An installation in a fresh folder on a fake clock. A test opens its log
// (in <folder>/log, every line on disk at once) and loads its configuration
// (<folder>/r58213.xml) when it needs them.
struct TestInstallation {
    TempFolder folder;
    FakeClock clock;
    CommonGlobals globals{clock, folder.path(), "r58213"};

    TestInstallation() = default;
    explicit TestInstallation(DateTime now) : clock(now) {}

    void OpenLog(qint16 verbosity) { OpenTestLog(globals.log(), folder.path(), verbosity); }

    // The start-up keys and those the test adds, read from the file, which
    // is made from their defaults when it is missing.
    void LoadConfiguration(void (*defineMoreKeys)(QELConfiguration&) = nullptr)
    {
        QELConfiguration& config = globals.config();
        config.setLogHandler(&globals.log());
        config.setPath(folder.file("r58213.xml"));
        ConfigurationKeys::DefineStartupKeys(config, clock.now(), "r58213");
        if (defineMoreKeys)
            defineMoreKeys(config);
        config.ReadConfig();
    }

    QString LogText() { return TempFolder::Read(globals.log().CurrentFile()); }
    QStringList LogLines() { return UnstampedLines(globals.log()); }
};
