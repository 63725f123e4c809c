#pragma once

#include "support/TempFolder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of an executable with its outputs and exit status.
struct CliRun {
    int status = -1;
    QString out;
    QString err;

    static CliRun Of(const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        process.waitForFinished(60000);
        CliRun run;
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }
};

// A run of the command-line program on the installation in the folder home.
inline CliRun RunCli(const TempFolder& home, const QStringList& arguments,
                     const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    return CliRun::Of(R58213_CLI_EXE, QStringList{"--home", home.path()} + arguments, environment);
}
