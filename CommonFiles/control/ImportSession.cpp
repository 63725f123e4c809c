#include "CommonFiles/control/ImportSession.h"

#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/control/CommonImport.h"
#include "CommonFiles/control/ServiceHealth.h"
#include "CommonFiles/control/SessionPrompts.h"
#include "CommonFiles/control/SuperUserLogin.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/ConnectionManager.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/Conversions.h"
#include "platform/InstallationLock.h"
#include "platform/NumberedError.h"
#include "platform/VersionRecord.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/Recordset.h"
#include "source/CustomSource.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

namespace Keys = ConfigurationKeyNames;

namespace {

const QString kCancelled = QStringLiteral("Import cancelled by user.");
const QString kNothing = QStringLiteral("Nothing to import into at this time.");
const QString kUnableNow = QStringLiteral("Unable to import at this time");

}  // namespace

ImportSession::ImportSession(CommonGlobals& globals, SessionPrompts& prompts)
    : m_globals(globals),
      m_prompts(prompts),
      m_timeUtils(globals.clock(), globals.log()),
      m_ainfoNavigator(globals),
      m_archiveFiling(globals)
{
}

ImportSession::~ImportSession() = default;

qint32 ImportSession::InterfaceId() const
{
    return Conversions::ToInt32(m_globals.config().item(Keys::KorvelOrvex::kServerInterfaceId));
}

void ImportSession::Report(const QString& text)
{
    m_globals.msgBox().QelMsgBox(text, QELmsgBoxHandler::Exclamation);
}

ImportSession::Outcome ImportSession::ImportAll(bool testMode)
{
    m_statistics = {};
    m_unreadableFacilities.clear();
    return Guarded(testMode, &ImportSession::RunAll, m_globals.serviceMode());
}

ImportSession::Outcome ImportSession::ImportSelected(bool testMode)
{
    m_unreadableFacilities.clear();
    return Guarded(testMode, &ImportSession::RunSelected, false);
}

ImportSession::Outcome ImportSession::Guarded(bool testMode, Outcome (ImportSession::*run)(bool), bool recordHealth)
{
    // An import yields to the event loop; a second one started meanwhile
    // would walk the same facilities twice.
    if (m_running) {
        m_globals.WriteActivity("An import is already running. The new import request was not started.", 0);
        return Outcome::NotStarted;
    }
    // So would one of another process on the same installation: the
    // service, the desktop program, the command line.
    InstallationLock lock(m_globals.programFolder());
    if (!lock.TryLock()) {
        m_globals.WriteActivity(lock.Refusal("this import was not started"), 0);
        return Outcome::NotStarted;
    }
    m_running = true;
    // Whatever way the run ends, later requests must not be refused.
    const auto finished = qScopeGuard([this] { m_running = false; });
    Outcome outcome = Outcome::Failed;
    try {
        outcome = (this->*run)(testMode);
    } catch (const NumberedError& error) {
        m_globals.WriteActivity("Import stopped by an unexpected error " + error.Text(), 0);
    }
    // Recorded while the lock is held, so two processes never write the
    // health file at once.
    if (recordHealth)
        ServiceHealth(m_globals).RecordImport(outcome, m_statistics);
    return outcome;
}

ImportSession::Outcome ImportSession::RunAll(bool testMode)
{
    const auto gatherer = PrepareImportScope();
    if (!gatherer)
        return Outcome::NotStarted;
    if (gatherer->TotalVariable() < 1) {
        m_globals.WriteActivity(kNothing, 0);
        // Nothing was found because nothing could be read: that is no
        // success.
        m_unreadableFacilities = gatherer->UnreadableFacilities();
        return m_unreadableFacilities.isEmpty() ? Outcome::NotStarted : Outcome::Failed;
    }
    return ChooseDateRange(*gatherer) ? RunImport(*gatherer, testMode) : Outcome::NotStarted;
}

ImportSession::Outcome ImportSession::RunSelected(bool testMode)
{
    if (m_globals.serviceMode()) {
        m_globals.WriteActivity("Operation is not supported in NTSERVICE mode.", 0);
        return Outcome::NotStarted;
    }
    const auto gatherer = PrepareImportScope();
    if (!gatherer)
        return Outcome::NotStarted;
    if (gatherer->TotalVariable() < 1) {
        m_globals.WriteActivity(kNothing, 0);
        return Outcome::NotStarted;
    }
    const SessionPrompts::Picks picks = m_prompts.PickVariables(*gatherer);
    if (picks.outcome == SessionPrompts::PickOutcome::Cancelled) {
        m_globals.WriteActivity(kCancelled, 0);
        return Outcome::NotStarted;
    }
    if (picks.outcome == SessionPrompts::PickOutcome::NothingReturned) {
        m_globals.WriteActivity("Nothing returned. Unable to import.", 0);
        return Outcome::NotStarted;
    }
    CommonVarGatherer selected(m_globals);
    for (const auto& [facility, id] : picks.variables)
        selected.ADHOCAddVariable(facility, id);
    selected.FacilID2FacilNameHash = gatherer->FacilID2FacilNameHash;
    selected.LookupLastRun = gatherer->LookupLastRun;
    selected.CopyCollectorInfo(*gatherer);
    if (selected.TotalVariable() < 1) {
        m_globals.WriteActivity(kNothing, 0);
        return Outcome::NotStarted;
    }
    m_globals.WriteActivity("User selected " + QString::number(selected.TotalVariable()) + " variable(s) in " +
                                QString::number(selected.TotalFacility()) +
                                " facility(s) that are linked to Collector " + QString::number(InterfaceId()),
                            0);
    for (selected.MoveFirst(); !selected.EOF_Facility(); selected.MoveNext_Facility())
        for (; !selected.EOF_Variable(); selected.MoveNext_Variable())
            m_globals.WriteActivity("User Selected Variable Detail : " + selected.Current_Facility() + "~" +
                                        QString::number(selected.Current_Variable()),
                                    1);
    return ChooseDateRange(selected) ? RunImport(selected, testMode) : Outcome::NotStarted;
}

std::unique_ptr<CommonVarGatherer> ImportSession::PrepareImportScope()
{
    m_globals.log().LSM_Run();
    ado::Connection root;
    if (!TargetConnections(m_globals).OpenRoot(root))
        return nullptr;
    if (!m_globals.serviceMode()) {
        if (!SuperUserGiven(root))
            return nullptr;
        ValidateCollectorVersion();
    }
    auto gatherer = std::make_unique<CommonVarGatherer>(m_globals);
    if (!ReadScope(*gatherer, root, InterfaceId()))
        return nullptr;
    root.Close();
    m_globals.WriteActivity("Found " + QString::number(gatherer->TotalVariable()) + " variable(s) in " +
                                QString::number(gatherer->TotalFacility()) +
                                " facility(s) that are linked to Collector '" + gatherer->CollectorName() + "'",
                            0);
    QStringList facilities;
    for (gatherer->MoveFirst(); !gatherer->EOF_Facility(); gatherer->MoveNext_Facility()) {
        facilities.append(gatherer->Current_Facility());
        for (; !gatherer->EOF_Variable(); gatherer->MoveNext_Variable())
            m_globals.WriteActivity("Found Variable Detail : " + gatherer->Current_Facility() + "~" +
                                        QString::number(gatherer->Current_Variable()),
                                    1);
    }
    if (!gatherer->LookupLastRun.ReadKorvelOrvexFacilLockDates(facilities.join('~')))
        Report("Failed to read Lock Dates for Korvel Orvex facilites.");
    else
        QCoreApplication::processEvents();
    return gatherer;
}

bool ImportSession::SuperUserGiven(ado::Connection& root)
{
    if (m_globals.config().item(Keys::Options::kPasswordProtectInteractiveImport) != "YES")
        return true;
    m_globals.WriteActivity("Waiting for user to provide Korvel Orvex Super User credentials ...", 0);
    const auto given = m_prompts.AskSuperUser([this, &root](const SessionPrompts::Credentials& c) {
        return SuperUserLogin::Check(root, c.user, c.password, m_globals.log());
    });
    if (!given) {
        m_globals.WriteActivity(kCancelled, 0);
        return false;
    }
    m_globals.WriteActivity("Korvel Orvex user '" + given->user.toUpper() + "' credentials were provided.", 0);
    return true;
}

bool ImportSession::ReadScope(CommonVarGatherer& gatherer, ado::Connection& root, qint32 interfaceId)
{
    if (!gatherer.ReadAboutCollector(interfaceId, root)) {
        if (gatherer.CollectorID() != 0) {
            const QString text = "Cannot import without valid collector information.";
            m_globals.WriteActivity(text, 0);
            Report(text);
        } else {
            const QString text = "Collector (id=" + QString::number(interfaceId) +
                ") does not exist or has been deleted. Use 'Configuration \\ Collector "
                "Configuration' to select a collector.";
            m_globals.WriteActivity(text, 0);
            m_globals.WriteActivity(kUnableNow, 0);
            Report(text);
        }
        return false;
    }
    if (!gatherer.CollectorEnabled()) {
        const QString text = "Collector '" + gatherer.CollectorName() +
            "' was marked as DISABLED by Korvel Orvex user '" + gatherer.CollectorChangedAuditUSer() + "' on '" +
            gatherer.CollectorChangedTimeStamp().generalDate() + "'";
        m_globals.WriteActivity(text, 0);
        m_globals.WriteActivity(kUnableNow, 0);
        Report(text);
        return false;
    }
    m_globals.WriteActivity(
        "Scanning all facilities for variables that are linked to Collector '" + gatherer.CollectorName() + "' ...", 0);
    if (!gatherer.ReadKorvelOrvex(interfaceId, root)) {
        Report("Failed to read Korvel Orvex for list of variables to import into.");
        return false;
    }
    if (!gatherer.LookupLastRun.ReadKorvelOrvex(gatherer.CollectorID(), root))
        m_globals.WriteActivity("WARNING : Unable to read Last Run Settings from Korvel Orvex", 0);
    return true;
}

QString ImportSession::RunningVersion()
{
    return VersionRecord::VersionText();
}

void ImportSession::ValidateCollectorVersion()
{
    ado::Connection root;
    if (!TargetConnections(m_globals).OpenRoot(root))
        return;
    try {
        const qint32 id = InterfaceId();
        if (id == 0)
            return;
        ado::Recordset row;
        row.Open("select lu_version from k5_server where interface_id=?", root, ado::CursorType::Static,
                 ado::LockType::ReadOnly, {id});
        if (row.Eof())
            return;
        const QString stored = row.Fields(0).toString();
        if (stored.isEmpty() || stored == RunningVersion())
            return;
        const QString text = "The collector that you selected links to a different version (" + stored +
            ")  of the interface than the inteface that is current running (" + RunningVersion() + ")";
        m_globals.WriteActivity("Warning : " + text, 0);
        m_globals.msgBox().QelMsgBox("Warning :\r\n" + text +
                                         "\r\nYou need to update your k5_server_lu file or link the collector to the "
                                         "correct version in Korvel Orvex client.",
                                     QELmsgBoxHandler::Exclamation | QELmsgBoxHandler::HelpButton,
                                     QStringLiteral("Version Validation Failed"), m_globals.HelpFile(), 12230);
    } catch (const NumberedError& error) {
        // The version check only warns; a failed check warns of nothing.
        m_globals.log().WriteClearedError("ImportSession.ValidateCollectorVersion", error);
    }
}

DateTime ImportSession::ConfiguredDate(const QString& key) const
{
    const auto value = DateTime::FromText(m_globals.config().item(key));
    if (!value)
        throw ado::kTypeMismatch.error();
    return *value;
}

void ImportSession::TakeFixedDates(CommonLastRun& lastRun) const
{
    lastRun.setDefaultStart(ConfiguredDate(Keys::NoUi::kFixStartDate));
    lastRun.setDefaultEnd(ConfiguredDate(Keys::NoUi::kFixEndDate));
}

bool ImportSession::TakeChosenRange(CommonLastRun& lastRun, const std::optional<SessionPrompts::DateRange>& range)
{
    if (!range) {
        m_globals.WriteActivity(kCancelled, 0);
        return false;
    }
    lastRun.setDefaultStart(range->start);
    lastRun.setDefaultEnd(range->end);
    m_globals.WriteActivity("Date Range selected : from " + range->start.format("mm/dd/yyyy HH:nn:ss") + " to " +
                                range->end.format("mm/dd/yyyy HH:nn:ss"),
                            0);
    return true;
}

bool ImportSession::ChooseDateRange(CommonVarGatherer& gatherer)
{
    QELConfiguration& config = m_globals.config();
    if (Conversions::ToBoolean(config.item(Keys::KorvelOrvex::kIndirectType)))
        return ChooseIndirectDateRange(gatherer);
    CommonLastRun& lastRun = gatherer.LookupLastRun;
    if (m_globals.serviceMode()) {
        lastRun.setDefaultStart(ConfiguredDate(Keys::AutomatedImport::kDefaultLastRun));
        lastRun.setDefaultEnd(m_globals.clock().now());
        return true;
    }
    if (config.item(Keys::NoUi::kHideUi) == "TRUE") {
        TakeFixedDates(lastRun);
        return true;
    }
    m_globals.WriteActivity("Waiting for user to select import date range ...", 0);
    return TakeChosenRange(lastRun, m_prompts.AskDateRange());
}

bool ImportSession::ChooseIndirectDateRange(CommonVarGatherer& gatherer)
{
    CommonLastRun& lastRun = gatherer.LookupLastRun;
    if (m_globals.serviceMode()) {
        // The collector keeps its own zone; the range is shifted into it and
        // ends at the last whole hour of the target server's clock.
        const DateTime start = ConfiguredDate(Keys::AutomatedImport::kDefaultLastRun)
                                   .addMinutes(-std::llround(gatherer.CollectorTimeZoneOffset()));
        const DateTime serverNow = m_timeUtils.ServerNow();
        const DateTime end = serverNow.datePart()
                                 .addMinutes(serverNow.hour() * 60)
                                 .addMinutes(-std::llround(gatherer.InterfaceTimezoneOffset()));
        lastRun.setDefaultStart(start);
        lastRun.setDefaultEnd(end);
        m_globals.log().WriteLog("NT Service UTC Dates from: " + start.generalDate() + " to " + end.generalDate(), 5);
        return true;
    }
    if (m_globals.config().item(Keys::NoUi::kHideUi) == "TRUE") {
        TakeFixedDates(lastRun);
        return true;
    }
    m_globals.WriteActivity("Waiting for user to select import date range ...", 0);
    return TakeChosenRange(lastRun,
                           m_prompts.AskTimeZoneDateRange(gatherer.CollectorTimeZoneID(),
                                                          gatherer.CollectorTimeZoneOffset(),
                                                          gatherer.InterfaceTimezoneOffset()));
}

ImportSession::Outcome ImportSession::RunImport(CommonVarGatherer& gatherer, bool testMode)
{
    m_globals.WriteActivity("Import started.", 0);
    m_ainfoNavigator.LoadMap();
    const QList<DayFileArchive::Outcome> filed = m_archiveFiling.FileDataFolder();
    CommonImport import(m_globals, m_customSource);
    import.setDiff(m_diff);
    import.setOnlyMissingRows(m_onlyMissingRows);
    const bool succeeded = import.StartImport(gatherer, testMode);
    m_statistics = import.Statistics();
    m_statistics.archiveFilesFiled = std::count_if(filed.begin(), filed.end(), [](const DayFileArchive::Outcome& o) {
        return o.filing == DayFileArchive::Filing::Filed || o.filing == DayFileArchive::Filing::FiledBeside;
    });
    m_unreadableFacilities = gatherer.UnreadableFacilities();
    m_globals.WriteActivity(succeeded ? "Import was successful." : "Import terminated with error(s).", 0);
    return succeeded ? Outcome::Succeeded : Outcome::Failed;
}
