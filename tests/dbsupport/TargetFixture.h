#pragma once

#include "platform/ado/AdoTypes.h"
#include "platform/ado/Connection.h"
#include "support/Printers.h"
#include "support/TestInstallation.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>

// Which reference target a test runs on: the embedded database, or the
// PostgreSQL server with its procedures called as functions or through the
// ODBC call escape that SQL Server and Oracle targets are called with.
struct TargetKind {
    TargetKind(ado::Backend kindBackend, ado::CallForm kindCallForm = ado::CallForm::Select)
        : backend(kindBackend), callForm(kindCallForm)
    {
    }
    operator ado::Backend() const { return backend; }

    ado::Backend backend;
    ado::CallForm callForm;
};

// A reference target on one backend: the root schema and the facilities a
// test asks for, and an installation whose configuration points at it.
class TargetFixture {
public:
    explicit TargetFixture(TargetKind kind);

    ado::Backend backend() const { return m_backend; }
    CommonGlobals& globals() { return m_installation.globals; }
    FakeClock& clock() { return m_installation.clock; }
    const TempFolder& folder() const { return m_installation.folder; }
    QString LogText() { return m_installation.LogText(); }

    void CreateRoot();
    void CreateFacility(const QString& name);
    // Open connections as the program makes them (through the manager).
    std::unique_ptr<ado::Connection> OpenRoot();
    std::unique_ptr<ado::Connection> OpenFacility(const QString& name);
    // Runs a statement directly, for arranging and checking rows.
    void Exec(ado::Connection& connection, const QString& sql, const QVariantList& bound = {});

    QString provider() const;
    QString dataSource() const;
    static QString PostgreSqlHostPort();

private:
    ado::Backend m_backend;
    ado::CallForm m_callForm;
    TestInstallation m_installation;
};

// "Sqlite", "PostgreSql" or "PostgreSqlCall": the name CTest uses to label
// and schedule a parameterised test.
inline std::string TargetName(const TargetKind& kind)
{
    if (kind.backend == ado::Backend::Sqlite)
        return "Sqlite";
    return kind.callForm == ado::CallForm::Escape ? "PostgreSqlCall" : "PostgreSql";
}

inline void PrintTo(const TargetKind& kind, std::ostream* out)
{
    *out << TargetName(kind);
}

struct BackendName {
    std::string operator()(const ::testing::TestParamInfo<TargetKind>& info) const { return TargetName(info.param); }
};

#define INSTANTIATE_FOR_EVERY_TARGET(Suite)                                                                            \
    INSTANTIATE_TEST_SUITE_P(Target, Suite,                                                                            \
                             ::testing::Values(TargetKind(ado::Backend::Sqlite), TargetKind(ado::Backend::PostgreSql), \
                                               TargetKind(ado::Backend::PostgreSql, ado::CallForm::Escape)),           \
                             BackendName())
