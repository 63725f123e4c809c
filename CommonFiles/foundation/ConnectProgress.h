#pragma once

#include <QString>

namespace ado {
class Connection;
}

// What a person sees while a target connection is opened in interactive
// mode. One is set on the process-wide globals, so every opening of the
// target reaches it, whoever asks. The service never shows one.
class ConnectProgress {
public:
    virtual ~ConnectProgress() = default;

    // Shown, without waiting, before the connection to dataSource opens.
    virtual void ShowConnecting(const QString& dataSource) = 0;
    // The opening ended; error is "<number> - <description>" when not ok.
    // The watched window records the outcome and hides.
    virtual void Finished(bool ok, const QString& error) = 0;
    // Opens the configured connection itself in a modal window that keeps
    // the outcome in view until the person closes it; error receives
    // "<number> - <description>" on failure. Used where a dialog tests a
    // connection and the person should read what happened.
    virtual bool AttemptConnect(ado::Connection& connection, QString& error) = 0;
};
