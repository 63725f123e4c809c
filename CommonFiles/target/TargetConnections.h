#pragma once

#include <QString>
#include <memory>

class CommonGlobals;
class ConnectionManager;

namespace ado {
class Connection;
}

// The two ways every part of the program reaches the target database: a
// connection manager set up from the KORVELORVEX keys, and the opening of a
// configured connection, which a person watches in interactive mode.
class TargetConnections {
public:
    explicit TargetConnections(CommonGlobals& globals) : m_globals(globals) {}

    // Also makes the configured type the process-wide target type.
    bool InitConnectionManager(ConnectionManager& manager);
    // A manager from the configuration configures the connection for the
    // schema ("QELROOT" or a facility key); false when it cannot be set up
    // or the facility key is refused.
    bool ConfigureConnection(ado::Connection& connection, const QString& schema);
    // A facility key that a connection string or a file name cannot carry
    // whole would lead to another facility's database; it is refused with a
    // level-0 line naming the facility. True when refused.
    bool RefusesFacilityKey(const QString& facilityKey);
    // errorText receives "<number> - <description>" on failure. In
    // interactive mode the opening is reported in activity lines and
    // watched through the process-wide connect progress; withAttemptDialog
    // hands the opening to that progress's modal attempt window instead.
    bool OpenTargetConnection(ado::Connection& connection, QString& errorText, bool withAttemptDialog = false);
    // Opens the connection, nobody watching; errorText as above.
    static bool OpenConnection(ado::Connection& connection, QString& errorText);
    // The root schema opened for a person's command: a manager that cannot
    // be set up or a connection that fails is reported in a message;
    // withAttemptDialog as for OpenTargetConnection.
    bool OpenRoot(ado::Connection& root, bool withAttemptDialog = false);
    // A facility database opened for reading; a manager that cannot be set
    // up is reported, a failed open only gives nothing.
    std::unique_ptr<ado::Connection> OpenFacility(const QString& facilityKey);
    // As above; failure tells why the facility could not be opened.
    std::unique_ptr<ado::Connection> OpenFacility(const QString& facilityKey, QString& failure);

private:
    bool ConfigureReporting(ado::Connection& connection, const QString& schema);
    bool Configure(ado::Connection& connection, const QString& schema);
    bool OpenWatched(ado::Connection& connection, QString& errorText);

    CommonGlobals& m_globals;
};
