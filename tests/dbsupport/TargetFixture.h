#pragma once

#include "platform/ado/AdoTypes.h"
#include "platform/ado/Connection.h"
#include "support/Printers.h"
#include "support/TestInstallation.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>

// A reference target on one backend: the root schema and the facilities a
// test asks for, and an installation whose configuration points at it.
class TargetFixture {
public:
    explicit TargetFixture(ado::Backend backend);

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
    TestInstallation m_installation;
};

namespace ado {
inline void PrintTo(Backend backend, std::ostream* out)
{
    *out << (backend == Backend::Sqlite ? "Sqlite" : "PostgreSql");
}
}  // namespace ado

// Names the backend in parameterised test names ("Sqlite", "PostgreSql"),
// which CTest uses to label and schedule them.
struct BackendName {
    std::string operator()(const ::testing::TestParamInfo<ado::Backend>& info) const
    {
        return info.param == ado::Backend::Sqlite ? "Sqlite" : "PostgreSql";
    }
};

#define INSTANTIATE_FOR_BOTH_BACKENDS(Suite)                                                                           \
    INSTANTIATE_TEST_SUITE_P(Target, Suite, ::testing::Values(ado::Backend::Sqlite, ado::Backend::PostgreSql),         \
                             BackendName())
