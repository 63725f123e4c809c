#pragma once

#include "CommonFiles/control/ProgramEntryPoint.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <QStringList>
#include <gtest/gtest.h>

// An installation started as the desktop program starts (configuration
// defaults, log, help folder), for driving windows. A help page that
// exists is recorded as opened instead of being shown.
struct InteractiveInstallation : TestInstallation {
    QStringList helpOpened;

    InteractiveInstallation() { Start(); }
    explicit InteractiveInstallation(DateTime now) : TestInstallation(now) { Start(); }

    void Start()
    {
        ProgramEntryPoint entry(globals, RunFace::Interactive, ProcessFacts::Current(folder.path(), {}));
        EXPECT_TRUE(entry.Start());
        globals.setHelpOpener([this](const QString& page) {
            helpOpened.append(page);
            return true;
        });
    }

    // A help page for topic, so that it can be opened.
    void AddHelpPage(const QString& topic) const
    {
        QDir().mkpath(folder.file("help"));
        TempFolder::Write(folder.file("help/" + topic + ".html"), "<html></html>");
    }
};
