#include "cli/DemoInstallation.h"

#include "CommonFiles/control/ConfigurationKeys.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/NumberedError.h"
#include "platform/VersionRecord.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlExecution.h"
#include "source/CustomConfiguration.h"
#include "targetdb/ReferenceTarget.h"

#include <QDir>
#include <QFile>
#include <cmath>

namespace Keys = ConfigurationKeyNames;

namespace {

constexpr int kDays = 7;

struct Channel {
    const char* name;
    double average;
    double swing;  // how far a day may stray from the average
};

// One line per logger channel: average, minimum, maximum, total.
const Channel kChannels[] = {
    {"RAW_FLOW_MGD", 12.4, 1.6},     {"FINISHED_FLOW_MGD", 11.9, 1.5}, {"CLEARWELL_LEVEL_FT", 18.2, 2.5},
    {"CL2_RESIDUAL_MGL", 1.45, 0.3}, {"TURBIDITY_NTU", 0.08, 0.04},    {"PH", 7.6, 0.3},
    {"RAW_TEMP_F", 54.0, 6.0},
};

struct Variable {
    const char* facility;
    qint32 id;
    const char* name;
    const char* type;
    const char* units;
    qint32 places;
    const char* tag;
    double factor;
};

const Variable kVariables[] = {
    {"NORTHWTP", 1, "Raw Water Flow", "H", "MGD", 2, "ALG 2:2", 1},
    {"NORTHWTP", 2, "Finished Water Flow", "F", "MGD", 2, "ALG 2:3", 1},
    {"NORTHWTP", 3, "Clearwell Level", "H", "ft", 1, "ALG 2:4", 1},
    {"NORTHWTP", 4, "Chlorine Residual", "F", "mg/l", 2, "ALG 2:5", 1},
    {"NORTHWTP", 5, "Raw Water Total", "P", "MG", 1, "ALG 5:2", 1},
    {"NORTHWTP", 6, "Maximum Turbidity", "P", "NTU", 3, "ALG 4:6", 1},
    {"NORTHWTP", 7, "Backwash Flow", "H", "MGD", 2, "ALG2-6", 1},  // a tag the source refuses
    {"SOUTHWTP", 11, "Well Field Flow", "H", "gpm", 0, "ALG 2:2", 694.444},
    {"SOUTHWTP", 12, "Tank Level", "F", "ft", 1, "ALG 2:4", 1},
    {"SOUTHWTP", 13, "Chlorine Residual", "H", "mg/l", 2, "ALG 2:5", 1},
    {"SOUTHWTP", 14, "Finished pH", "P", "pH", 2, "ALG 2:7", 1},
};

// Repeatable day-to-day variation, so that two demos show the same values.
double Vary(const Channel& channel, int day, int salt)
{
    return channel.average + channel.swing * std::sin(day * 1.7 + salt * 0.9);
}

QString Fixed(double value)
{
    return QString::number(value, 'f', 3);
}

}  // namespace

QString DemoInstallation::TargetFolder() const
{
    return m_globals.programFolder() + "/target";
}

QString DemoInstallation::DataFolder() const
{
    return m_globals.programFolder() + "/data";
}

void DemoInstallation::Create()
{
    if (!Configure())
        throw NumberedError(75, "Unable to save the demo configuration");
    CreateTarget();
    AddVariables();
    WriteDayFiles();
}

bool DemoInstallation::Configure()
{
    QELConfiguration& config = m_globals.config();
    const DateTime today = m_globals.clock().now().datePart();
    config.setItem(Keys::KorvelOrvex::kConnectionDbType, "2");
    config.setItem(Keys::KorvelOrvex::kConnectionProvider, "SQLite");
    config.setItem(Keys::KorvelOrvex::kConnectionDataSource, TargetFolder());
    config.setItem(Keys::KorvelOrvex::kServerInterfaceId, QString::number(kCollector));
    config.setItem(Keys::AutomatedImport::kDefaultLastRun,
                   ConfigurationKeys::StoredDateText(today.addDays(-(kDays - 1))));
    config.setItem(Keys::NoUi::kFixStartDate, ConfigurationKeys::StoredDateText(today.addDays(-(kDays - 1))));
    config.setItem(Keys::NoUi::kFixEndDate, ConfigurationKeys::StoredDateText(today));
    config.setItem(Keys::Target::kRecoverySeconds, "1");
    config.setItem(CustomConfiguration::kPathKey, DataFolder());
    config.setItem(CustomConfiguration::kPrefixKey, "ALOG0");
    config.setItem(CustomConfiguration::kExtKey, "CSV");
    return m_globals.SaveConfiguration();
}

void DemoInstallation::CreateTarget()
{
    ReferenceTarget::CreateSqlite(TargetFolder(), "QELROOT", ReferenceTarget::Schema::Root);
    ReferenceTarget::CreateSqlite(TargetFolder(), "NORTHWTP", ReferenceTarget::Schema::Facility);
    ReferenceTarget::CreateSqlite(TargetFolder(), "SOUTHWTP", ReferenceTarget::Schema::Facility);
    TargetConnections connections(m_globals);
    ado::Connection root;
    connections.ConfigureConnection(root, "QELROOT");
    root.Open();
    ado::SqlExecution::Run(root,
                           "insert into FACILITY (FILENAME, NAME, DIRECTORY) values "
                           "('northwtp', 'North Water Treatment Plant', ''), "
                           "('southwtp', 'South Well Field', '')");
    ado::SqlExecution::Run(root,
                           "insert into k5_server (INTERFACE_ID, NAME, DESCRIPTION, ENABLED, COLLECTOR_DATEADJUST, "
                           "COLLECTOR_QELTIMEZONEID, LU_ID, LU_VERSION, AUDITUSER, AUDITTIMESTAMP) values "
                           "(?, 'Fischer and Porter loggers', 'Demo collector', -1, 0, 1, 58213, ?, 'DEMO', ?)",
                           {kCollector, VersionRecord::VersionText(), QVariant::fromValue(m_globals.clock().now())});
    ado::SqlExecution::Run(root,
                           "insert into \"USER\" (USERNAME, PASSWORD, USERTYPE) values ('ADMIN', 'demo', 'Super')");
    ado::Connection north;
    connections.ConfigureConnection(north, "NORTHWTP");
    north.Open();
    // North has closed its books up to two days ago: older values stay as they are.
    const DateTime lock = m_globals.clock().now().datePart().addDays(-2);
    ado::SqlExecution::Run(north, "insert into Settings (SETTING, CURVALUE) values ('LockDate', ?)",
                           {lock.format("yyyy-mm-dd hh:nn:ss")});
}

void DemoInstallation::AddVariables()
{
    TargetConnections connections(m_globals);
    for (const Variable& v : kVariables) {
        ado::Connection facility;
        connections.ConfigureConnection(facility, v.facility);
        facility.Open();
        ado::SqlExecution::Run(facility,
                               "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, UNITS, DECPLACES, SCADATAG, "
                               "STATISTIC, SCALEFACTOR, SOURCE_CNN_APPROVAL, INTERFACETYPE, K5_INTERFACE_ID, "
                               "K5_ENABLED) values (?, ?, ?, ?, ?, ?, ?, 'LOOKUP', ?, 1, 'SAME', ?, -1)",
                               {v.id, 1000 + v.id, v.name, v.type, v.units, v.places, v.tag, v.factor, kCollector});
    }
}

void DemoInstallation::WriteDayFiles() const
{
    QDir().mkpath(DataFolder());
    const DateTime today = m_globals.clock().now().datePart();
    for (int back = 0; back < kDays; ++back) {
        const DateTime day = today.addDays(-back);
        QString text = "CHANNEL,AVG,MIN,MAX,TOTAL\r\n";
        int salt = 0;
        for (const Channel& channel : kChannels) {
            const double average = Vary(channel, day.day(), ++salt);
            text += QString(channel.name) + "," + Fixed(average) + "," + Fixed(average - channel.swing / 2) + "," +
                Fixed(average + channel.swing / 2) + "," + Fixed(average * 24) + "\r\n";
        }
        text += QString::number(day.year() % 100) + "," + QString::number(day.month()) + "," +
            QString::number(day.day()) + "\r\n";
        QFile file(DataFolder() + "/ALOG0" + day.format("dd") + ".CSV");
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(text.toLatin1());
    }
}
