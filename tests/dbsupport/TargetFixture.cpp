#include "dbsupport/TargetFixture.h"

#include "CommonFiles/target/ConnectionManager.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/ado/SqlExecution.h"
#include "source/CustomConfiguration.h"
#include "targetdb/ReferenceTarget.h"

TargetFixture::TargetFixture(TargetKind kind) : m_backend(kind.backend), m_callForm(kind.callForm)
{
    m_installation.OpenLog(9);
    m_installation.LoadConfiguration(CustomConfiguration::DefineSourceKeys);
    QELConfiguration& config = globals().config();
    config.setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER", provider());
    config.setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", dataSource());
    if (m_callForm == ado::CallForm::Escape)
        config.setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_CUSTOMIZATIONS", "Procedure Call=Escape");
}

QString TargetFixture::PostgreSqlHostPort()
{
    return "127.0.0.1:" + QString::fromLatin1(R58213_PG_PORT);
}

QString TargetFixture::provider() const
{
    return m_backend == ado::Backend::Sqlite ? "SQLite" : "PostgreSQL";
}

QString TargetFixture::dataSource() const
{
    return m_backend == ado::Backend::Sqlite ? m_installation.folder.file("target") : PostgreSqlHostPort();
}

void TargetFixture::CreateRoot()
{
    CreateFacility("QELROOT");
}

void TargetFixture::CreateFacility(const QString& name)
{
    const auto schema = name == "QELROOT" ? ReferenceTarget::Schema::Root : ReferenceTarget::Schema::Facility;
    if (m_backend == ado::Backend::Sqlite)
        ReferenceTarget::CreateSqlite(dataSource(), name, schema);
    else
        ReferenceTarget::CreatePostgreSql(dataSource(), QString::fromLatin1(R58213_TARGET_PASSWORD), name, schema);
}

std::unique_ptr<ado::Connection> TargetFixture::OpenRoot()
{
    return OpenFacility("QELROOT");
}

std::unique_ptr<ado::Connection> TargetFixture::OpenFacility(const QString& name)
{
    TargetConnections target(globals());
    ConnectionManager manager(globals().log());
    EXPECT_TRUE(target.InitConnectionManager(manager));
    auto connection = std::make_unique<ado::Connection>();
    if (name == "QELROOT")
        manager.ConfigCnn4QELROOT(*connection);
    else
        manager.ConfigCnn4FACILITY(*connection, name);
    connection->Open();
    return connection;
}

void TargetFixture::Exec(ado::Connection& connection, const QString& sql, const QVariantList& bound)
{
    ado::SqlExecution::Run(connection, sql, bound);
}
