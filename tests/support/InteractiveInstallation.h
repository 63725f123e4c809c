#pragma once

#include "CommonFiles/control/ProgramEntryPoint.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <gtest/gtest.h>

// An installation started as the desktop program starts (configuration
// defaults, log, help folder), for driving windows.
struct InteractiveInstallation : TestInstallation {
    InteractiveInstallation() { Start(); }
    explicit InteractiveInstallation(DateTime now) : TestInstallation(now) { Start(); }

    void Start()
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
