#pragma once

#include "CommonFiles/foundation/TargetDbType.h"

#include <QString>

class CommonGlobals;

// A trial connection to the target's root schema from settings that are
// not stored yet (the connection window's fields as they stand), opened
// the way a configuration window opens it: in interactive mode a person
// watches the attempt in the connect progress window.
class ConnectionTest {
public:
    struct Settings {
        TargetDbType type = TargetDbType::SqlServer;
        QString provider;
        QString dataSource;
        QString customization;
        qint32 connectionTimeout = 15;
        qint32 commandTimeout = 30;
    };
    enum class Outcome { InitFailed, OpenFailed, Ok };
    struct Result {
        Outcome outcome = Outcome::InitFailed;
        // The connection's error when it failed to open.
        QString errorText;
    };

    explicit ConnectionTest(CommonGlobals& globals) : m_globals(globals) {}

    Result Run(const Settings& settings);
    // The message a person is shown for the result, and its title.
    static QString MessageText(const Result& result);
    static QString MessageTitle(const Result& result);

private:
    CommonGlobals& m_globals;
};
