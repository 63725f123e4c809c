#pragma once

#include "support/TempFolder.h"

#include <QFile>
#include <QString>
#include <QStringList>

// A stand-in systemctl, first on PATH while the fixture lives (programs the
// test starts find it too). It writes the arguments of each call as a line
// to its call log, answers "show" from its state file (an active, running,
// loaded unit until told otherwise), fails every call with a text written to
// standard error once given one, and can be made to hang or to vanish.
class FakeSystemctl {
public:
    FakeSystemctl() : m_path(qgetenv("PATH"))
    {
        TempFolder::Write(m_folder.file("systemctl"), kScript);
        QFile::setPermissions(m_folder.file("systemctl"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        SetState("active");
        qputenv("PATH", m_folder.path().toUtf8() + ':' + m_path);
    }
    ~FakeSystemctl() { qputenv("PATH", m_path); }
    FakeSystemctl(const FakeSystemctl&) = delete;
    FakeSystemctl& operator=(const FakeSystemctl&) = delete;

    void SetState(const QString& active, const QString& freezer = "running", const QString& load = "loaded") const
    {
        TempFolder::Write(
            m_folder.file("state"),
            ("LoadState=" + load + "\nActiveState=" + active + "\nFreezerState=" + freezer + "\n").toUtf8());
    }
    // The unit's Environment property, as systemd shows it.
    void SetEnvironment(const QString& assignments) const
    {
        TempFolder::Write(m_folder.file("environment"), ("Environment=" + assignments + "\n").toUtf8());
    }
    void FailWith(const QString& text) const { TempFolder::Write(m_folder.file("failure"), text.toUtf8()); }
    void Hang() const { TempFolder::Write(m_folder.file("hang"), {}); }
    void Vanish() const { QFile::remove(m_folder.file("systemctl")); }

    QStringList Calls() const { return TempFolder::Read(m_folder.file("calls")).split('\n', Qt::SkipEmptyParts); }
    static QString Show(const QString& unit)
    {
        return "show --property=LoadState --property=ActiveState --property=FreezerState -- " + unit;
    }

private:
    static constexpr char kScript[] = R"(#!/bin/sh
here=$(dirname "$0")
printf '%s\n' "$*" >> "$here/calls"
[ -e "$here/hang" ] && exec sleep 30
[ -s "$here/failure" ] && { cat "$here/failure" >&2; exit 1; }
[ "$1" = show ] && cat "$here/state" "$here/environment" 2>/dev/null
exit 0
)";

    TempFolder m_folder;
    QByteArray m_path;
};
