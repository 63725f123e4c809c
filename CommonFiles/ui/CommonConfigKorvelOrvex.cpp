#include "CommonFiles/ui/CommonConfigKorvelOrvex.h"

#include "CommonFiles/control/ConnectionTest.h"
#include "CommonFiles/control/SettingRules.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/ui/DialogToolBar.h"
#include "platform/Conversions.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace Keys = ConfigurationKeyNames::KorvelOrvex;

namespace {

const QString kOracle = QStringLiteral("Oracle");
const QString kSqlServer = QStringLiteral("SQL Server");

// A time-out as the connection test takes it: what the field's rule would
// store, or the stored value for text that is no number.
qint32 TimeoutOf(const QLineEdit& field, const QString& key, const QString& stored)
{
    return Conversions::ToInt32(SettingRules::Apply(key, field.text(), stored).value);
}

}  // namespace

CommonConfigKorvelOrvex::CommonConfigKorvelOrvex(CommonGlobals& globals, QWidget* parent)
    : SettingsDialog(globals, QStringLiteral("Connection To Korvel Orvex"), QStringLiteral("12037"), parent)
{
    connect(toolBar().AddButton(QStringLiteral("connect"), QStringLiteral("Test Connection"),
                                QStringLiteral("Tests the connection with the settings as they stand"),
                                QStyle::SP_DriveNetIcon),
            &QAction::triggered, this, &CommonConfigKorvelOrvex::TestConnection);
    AddConnectionFrame();
    Refresh();
}

void CommonConfigKorvelOrvex::AddConnectionFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Korvel Orvex Database Connection"), this);
    auto* form = new QFormLayout(frame);
    m_dbType = new QComboBox(frame);
    m_dbType->setObjectName(QStringLiteral("dbType"));
    m_dbType->setAccessibleName(QStringLiteral("Database Type"));
    m_dbType->addItems({kOracle, kSqlServer});
    form->addRow(QStringLiteral("Database Type"), m_dbType);
    connect(m_dbType, &QComboBox::textActivated, this, &CommonConfigKorvelOrvex::TypeChosen);
    m_provider = AddField(*form, QStringLiteral("provider"), QStringLiteral("Provider"));
    m_datasource = AddField(*form, QStringLiteral("datasource"), QStringLiteral("Data Source"));
    m_datasource->setMinimumWidth(320);
    m_customization = AddField(*form, QStringLiteral("customization"), QStringLiteral("Customizations"));
    m_connectionTimeout =
        AddField(*form, QStringLiteral("connection_timeout"), QStringLiteral("Connection Timeout in Seconds"));
    m_commandTimeout = AddField(*form, QStringLiteral("command_timeout"), QStringLiteral("Command Timeout in Seconds"));
    layout()->addWidget(frame);
}

bool CommonConfigKorvelOrvex::RefreshFromConfig()
{
    const QSignalBlocker quiet(m_dbType);
    const QELConfiguration& config = globals().config();
    m_dbType->setCurrentText(config.item(Keys::kConnectionDbType).trimmed() == "1" ? kOracle : kSqlServer);
    m_provider->setText(config.item(Keys::kConnectionProvider));
    m_datasource->setText(config.item(Keys::kConnectionDataSource));
    m_customization->setText(config.item(Keys::kConnectionCustomizations));
    m_connectionTimeout->setText(config.item(Keys::kConnectionTimeout));
    m_commandTimeout->setText(config.item(Keys::kConnectionCommandTimeout));
    return true;
}

bool CommonConfigKorvelOrvex::ApplyToConfig()
{
    globals().config().setItem(Keys::kConnectionDbType, SettingRules::DbTypeOfEntry(m_dbType->currentText()));
    ApplyField(*m_provider, Keys::kConnectionProvider);
    ApplyField(*m_datasource, Keys::kConnectionDataSource);
    ApplyField(*m_customization, Keys::kConnectionCustomizations);
    ApplyField(*m_connectionTimeout, Keys::kConnectionTimeout);
    ApplyField(*m_commandTimeout, Keys::kConnectionCommandTimeout);
    return true;
}

void CommonConfigKorvelOrvex::TypeChosen(const QString& entry)
{
    m_provider->setText(SettingRules::ProviderOfEntry(entry));
}

void CommonConfigKorvelOrvex::TestConnection()
{
    const QELConfiguration& config = globals().config();
    ConnectionTest::Settings settings;
    settings.type = static_cast<TargetDbType>(SettingRules::DbTypeOfEntry(m_dbType->currentText()).toShort());
    settings.provider = m_provider->text().trimmed();
    settings.dataSource = m_datasource->text().trimmed();
    settings.customization = m_customization->text().trimmed();
    settings.connectionTimeout =
        TimeoutOf(*m_connectionTimeout, Keys::kConnectionTimeout, config.item(Keys::kConnectionTimeout));
    settings.commandTimeout =
        TimeoutOf(*m_commandTimeout, Keys::kConnectionCommandTimeout, config.item(Keys::kConnectionCommandTimeout));
    const ConnectionTest::Result result = ConnectionTest(globals()).Run(settings);
    globals().msgBox().QelMsgBox(ConnectionTest::MessageText(result),
                                 result.outcome == ConnectionTest::Outcome::Ok ? QELmsgBoxHandler::Information
                                                                               : QELmsgBoxHandler::Exclamation,
                                 ConnectionTest::MessageTitle(result));
}
