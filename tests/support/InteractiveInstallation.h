#pragma once

#include "CommonFiles/control/ProgramEntryPoint.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

#include <QDir>
#include <gtest/gtest.h>

// A program folder of its own, started as the desktop program starts
// (configuration defaults, log, help folder), for driving windows.
struct InteractiveInstallation {
    TempFolder folder;
    FakeClock clock;
    CommonGlobals globals{clock, folder.path(), "r58213"};

    InteractiveInstallation()
    {
        ProgramEntryPoint entry(globals, RunFace::Interactive, ProcessFacts::Current(folder.path(), {}));
        EXPECT_TRUE(entry.Start());
    }

    // A help page for topic, so that it can be opened.
    void AddHelpPage(const QString& topic) const
    {
        QDir().mkpath(folder.file("help"));
        TempFolder::Write(folder.file("help/" + topic + ".html"), "<html></html>");
    }
};
