#pragma once

#include <QString>
#include <QStringList>

// Where the programs keep their state: configuration, logs, the handle file
// and the work folder. The desktop program, the service and the command
// line resolve it alike, so each finds what the others wrote. Help pages
// are no state: they are read from the data folder.
class ProgramHome {
public:
    // The environment variable that names the folder.
    static const char* const kVariable;

    // Takes --home DIR or --home=DIR out of arguments, giving DIR in
    // folder (left empty when the option is absent). False when --home
    // lacks its folder.
    static bool TakeOption(QStringList& arguments, QString& folder);
    // The folder given, else R58213_HOME, else the folder the build was
    // told to use (the package's state folder), else the executable's
    // folder.
    static QString Resolve(const QString& given, const QString& executableFolder);
    // The folder created when missing, as an absolute path; empty when it
    // cannot be created.
    static QString Prepared(const QString& folder);
    // The folder that holds the help pages' folder help/: the executable's
    // folder in a build, where help/ stands beside the programs; else the
    // installed share/r58213 beside the programs' bin folder (the
    // package's /usr/share/r58213).
    static QString DataFolder(const QString& executableFolder);
};
