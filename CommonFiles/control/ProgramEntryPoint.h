#pragma once

#include "platform/ProcessFacts.h"

#include <QString>

class CommonGlobals;

// How the program meets its user: the main window, the service host, or
// the command-line tool (which starts as the interactive program does, with
// its own log postfix and no handle file).
enum class RunFace { Interactive, Service, CommandLine };

// Start-up up to the hand-over to the face: log, banner, configuration keys
// and file, log settings, process facts and the configuration dump.
class ProgramEntryPoint {
public:
    ProgramEntryPoint(CommonGlobals& globals, RunFace face, const ProcessFacts& facts);

    // "NTSERVICE" alone, in any letter case, selects the service.
    static bool IsServiceCommandLine(const QString& commandLine);
    static RunFace FaceOfCommandLine(const QString& commandLine);
    static QString InteractiveCaption();
    // The stored log settings as start-up corrects them.
    static qint16 NormalisedVerbosity(const QString& text);
    static qint16 NormalisedKeepDays(const QString& text);
    // The arguments as the log shows them: the value of a password option
    // or a password key masked, given as the next word or after "=".
    static QString MaskedCommandLine(const QStringList& arguments);

    // False when the configuration file cannot be read; the person (or, in
    // the service, the log) has then been told, and the process must end.
    bool Start();

private:
    void SetUpLog();
    void WriteBanner();
    void DefineKeys();
    bool ReadConfiguration();
    void ApplyLogSettings();
    void LogProcessFacts();

    CommonGlobals& m_globals;
    RunFace m_face;
    ProcessFacts m_facts;
};
