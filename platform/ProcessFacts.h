#pragma once

#include <QString>
#include <QStringList>

// What the log records about the running process at start-up.
struct ProcessFacts {
    QString programFolder;  // configuration, logs and help live here
    QString exeName;  // names the configuration and handle files
    QStringList arguments;  // as given, without the program itself
    qint64 threadId = 0;
    qint64 instanceHandle = 0;  // the process id
    bool taskVisible = true;
    bool unattended = false;

    // The facts of this process; arguments excludes the program itself.
    static ProcessFacts Current(const QString& programFolder, const QStringList& arguments);
};
