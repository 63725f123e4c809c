#include "cli/CliOperations.h"

#include "CommonFiles/control/DiffReport.h"
#include "CommonFiles/control/GapReport.h"
#include "CommonFiles/control/LastRunGrid.h"
#include "CommonFiles/defupload/CommonDefUpload.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/service/QELntSvcCM.h"
#include "cli/CliSessionPrompts.h"
#include "cli/CommandOptions.h"
#include "cli/DemoInstallation.h"
#include "cli/DiffCharts.h"
#include "platform/NumberedError.h"
#include "source/SourceReadTest.h"

namespace Keys = ConfigurationKeyNames;

ExitStatus CliOperations::Usage(const QString& problem)
{
    m_err << "r58213-cli: " << problem << Qt::endl;
    return ExitStatus::UsageError;
}

ExitStatus CliOperations::ImportAll(const CommandOptions& options)
{
    return Import(options, false);
}

ExitStatus CliOperations::ImportSelected(const CommandOptions& options)
{
    if (options.Values("--var").isEmpty())
        return Usage("import needs at least one --var FACILITY~VARID");
    return Import(options, true);
}

ExitStatus CliOperations::Import(const CommandOptions& options, bool selected)
{
    if (options.Has("--diff"))
        return DiffRun(options, selected);
    CliSessionPrompts prompts(options, m_globals.config(), m_err);
    if (!prompts.DatesReadable(m_globals.clock().now()))
        return ExitStatus::UsageError;
    if (options.Has("--service")) {
        // One import exactly as the scheduler runs it.
        m_globals.setServiceMode(true);
        m_globals.msgBox().setSilentOperation(true);
    }
    ImportSession session(m_globals, prompts);
    const bool test = options.Has("--test");
    const ImportSession::Outcome outcome = selected ? session.ImportSelected(test) : session.ImportAll(test);
    if (options.Has("--service")) {
        const QString log = m_globals.log().CurrentFile();
        m_out << (outcome == ImportSession::Outcome::Succeeded ? "Import was successful." : "Import did not succeed.")
              << (log.isEmpty() ? QString(" No log could be written.") : " The log is " + log) << Qt::endl;
    }
    return outcome == ImportSession::Outcome::Succeeded ? ExitStatus::Success : ExitStatus::Failed;
}

std::optional<ReportFormat::Form> CliOperations::FormatOf(const CommandOptions& options)
{
    const auto form = ReportFormat::Parse(options.Has("--format") ? options.Value("--format") : "text");
    if (!form)
        Usage("--format takes text, csv, json or (with --diff) png, not " + options.Value("--format"));
    return form;
}

template <typename Report> void CliOperations::Print(const Report& report, ReportFormat::Form form)
{
    switch (form) {
    case ReportFormat::Form::Text:
        m_out << report.Text();
        break;
    case ReportFormat::Form::Csv:
        m_out << report.Csv();
        break;
    case ReportFormat::Form::Json:
        m_out << report.Json();
        break;
    }
    m_out.flush();
}

ImportSession::Outcome CliOperations::Run(ImportSession& session, bool selected, bool test, DiffReport* diff)
{
    session.setDiff(diff);
    const ImportSession::Outcome outcome = selected ? session.ImportSelected(test) : session.ImportAll(test);
    session.setDiff(nullptr);
    return outcome;
}

// A dry run only: what it lists is what an import would do, and nothing
// of it is written.
ExitStatus CliOperations::DiffRun(const CommandOptions& options, bool selected)
{
    // A service run stores last-run dates; a dry run stores nothing.
    if (!options.Has("--test") || options.Has("--service"))
        return Usage("--diff lists what an import would do without writing; give it with --test, without --service");
    const bool charts = options.Value("--format") == "png";
    if (charts && options.Value("--output").isEmpty())
        return Usage("--format png draws the charts into --output FILE.png, or one a variable into --output DIR/");
    const auto form = charts ? std::nullopt : FormatOf(options);
    CliSessionPrompts prompts(options, m_globals.config(), m_err);
    if ((!charts && !form) || !prompts.DatesReadable(m_globals.clock().now()))
        return ExitStatus::UsageError;
    ImportSession session(m_globals, prompts);
    DiffReport diff;
    if (Run(session, selected, true, &diff) != ImportSession::Outcome::Succeeded)
        return ExitStatus::Failed;
    if (charts)
        return DiffCharts(m_err).Render(diff, options.Value("--output")) ? ExitStatus::Success : ExitStatus::Failed;
    Print(diff, *form);
    return ExitStatus::Success;
}

bool CliOperations::Scan(ImportSession& session, bool selected, DiffReport& found)
{
    found = DiffReport(true);
    return Run(session, selected, true, &found) == ImportSession::Outcome::Succeeded;
}

ExitStatus CliOperations::Gaps(const CommandOptions& options)
{
    if (!options.Has("--from") || !options.Has("--to"))
        return Usage("gaps [--facility F] [--var F~ID] --from DATE --to DATE [--fill] [--format text|csv|json]");
    const auto form = FormatOf(options);
    CliSessionPrompts prompts(options, m_globals.config(), m_err);
    if (!form || !prompts.DatesReadable(m_globals.clock().now()))
        return ExitStatus::UsageError;
    ImportSession session(m_globals, prompts);
    const bool selected = options.Has("--var") || options.Has("--facility");
    DiffReport found;
    if (!Scan(session, selected, found))
        return Unscanned(session, found, *form);
    if (options.Has("--fill") && GapReport(found).Fillable()) {
        // Filled as an interactive import: the last-run dates stay.
        session.setOnlyMissingRows(true);
        const bool filled = Run(session, selected, false, nullptr) == ImportSession::Outcome::Succeeded;
        session.setOnlyMissingRows(false);
        // What is left is told from a new scan, not assumed.
        if (!filled || !Scan(session, selected, found))
            return ExitStatus::UsageError;
    }
    const GapReport gaps(found);
    Print(gaps, *form);
    return gaps.Fillable() ? ExitStatus::Failed : ExitStatus::Success;
}

// A scan that could not read every facility: the gaps it found are shown,
// and the facilities it could not read are named, since their gaps are not
// known.
ExitStatus CliOperations::Unscanned(const ImportSession& session, const DiffReport& found, ReportFormat::Form form)
{
    const QMap<QString, QString>& unreadable = session.UnreadableFacilities();
    if (!unreadable.isEmpty())
        Print(GapReport(found), form);
    for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it)
        m_err << "r58213-cli: facility " << it.key() << " cannot be read, so its gaps are not known: " << it.value()
              << Qt::endl;
    return ExitStatus::UsageError;
}

ExitStatus CliOperations::LastRunList()
{
    const QList<LastRunGrid::Row> rows = LastRunGrid(m_globals).FillGrid();
    m_out << "Facility\tFacility ID\tLast Run Date\tAudit User\tWorkstation\tNetuser\tIP\tLocal Path\n";
    for (const LastRunGrid::Row& row : rows)
        m_out << QStringList{row.facility,    row.facilityId, row.lastRun, row.auditUser,
                             row.workStation, row.netUser,    row.ip,      row.localPath}
                     .join('\t')
              << "\n";
    m_out.flush();
    return ExitStatus::Success;
}

ExitStatus CliOperations::LastRunSet(const CommandOptions& options)
{
    const QStringList args = options.Positional();
    const auto date = DateTime::FromText(args.value(1));
    if (args.size() != 2 || !date)
        return Usage("last-run set FACILITY DATE (DATE: MM-dd-yyyy HH:mm:ss or yyyy-MM-dd HH:mm)");
    if (!LastRunGrid::PlausibleLastRun(*date, m_globals.clock().now())) {
        m_globals.msgBox().QelMsgBox("The last-run date " + date->generalDate() +
                                         " is refused: it must lie between 1/1/1900 and one day from now.",
                                     QELmsgBoxHandler::Exclamation);
        return ExitStatus::Failed;
    }
    LastRunGrid grid(m_globals);
    LastRunGrid::Row row;
    row.facilityId = args[0].toUpper();
    row.lastRun = date->generalDate();
    if (!KnownFacility(grid, row.facilityId))
        return ExitStatus::Failed;
    if (grid.SaveGrid({row})) {
        m_out << "Saved successfully" << Qt::endl;
        return ExitStatus::Success;
    }
    m_globals.msgBox().QelMsgBox("Unable to save last run dates", QELmsgBoxHandler::Exclamation);
    return ExitStatus::Failed;
}

bool CliOperations::KnownFacility(LastRunGrid& grid, const QString& facilityId)
{
    const QList<LastRunGrid::Row> rows = grid.FillGrid();
    for (const LastRunGrid::Row& row : rows)
        if (row.facilityId == facilityId)
            return true;
    m_globals.msgBox().QelMsgBox("Facility " + facilityId +
                                     " holds no variable of this collector; no last-run date was saved.",
                                 QELmsgBoxHandler::Exclamation);
    return false;
}

ExitStatus CliOperations::TestSource(const CommandOptions& options)
{
    const auto from = DateTime::FromText(options.Value("--from"));
    const auto to = DateTime::FromText(options.Value("--to"));
    if (!options.Has("--tag") || !from || !to)
        return Usage("test-source --tag TAG [--stat STATISTIC] --from DATE --to DATE [--text]");
    SourceReadTest::Input input;
    input.tag = options.Value("--tag");
    input.statistic = options.Has("--stat") ? options.Value("--stat") : QStringLiteral("LOOKUP");
    input.start = *from;
    input.end = *to;
    const SourceReadTest::Result result = SourceReadTest::Run(m_globals, input, options.Has("--text"));
    if (result.outcome != SourceReadTest::Outcome::Value) {
        m_globals.msgBox().QelMsgBox(result.text, QELmsgBoxHandler::Exclamation);
        return ExitStatus::Failed;
    }
    m_out << result.text << Qt::endl;
    return ExitStatus::Success;
}

ExitStatus CliOperations::UploadDefinition(const CommandOptions& options)
{
    if (options.Positional().size() != 1)
        return Usage("upload-definition ARCHIVE");
    CommonDefUpload upload(m_globals);
    if (upload.UploadCurrentDefinition(options.Positional().first()))
        return ExitStatus::Success;
    m_globals.msgBox().QelMsgBox("Failed to upload", QELmsgBoxHandler::OkOnly);
    m_globals.WriteActivity("Upload Failed.", 0);
    return ExitStatus::Failed;
}

ExitStatus CliOperations::Demo()
{
    DemoInstallation demo(m_globals);
    try {
        demo.Create();
    } catch (const NumberedError& error) {
        m_err << "The demo could not be created: " << error.Text() << Qt::endl;
        return ExitStatus::Failed;
    }
    const QString home = m_globals.programFolder();
    m_out << "Demo installation created in " << home << "\n"
          << "  target (embedded SQLite): " << demo.TargetFolder() << "\n"
          << "  logger day files:         " << demo.DataFolder() << "\n\n"
          << "Try next:\n"
          << "  r58213-cli --home " << home << " test-connection\n"
          << "  r58213-cli --home " << home << " test-source --tag \"ALG 2:2\" --from \""
          << m_globals.clock().now().datePart().format("yyyy-mm-dd") << " 00:00\" --to \""
          << m_globals.clock().now().datePart().format("yyyy-mm-dd") << " 01:00\"\n"
          << "  r58213-cli --home " << home << " import-all --service\n"
          << "  r58213-cli --home " << home << " last-run list\n";
    m_out.flush();
    return ExitStatus::Success;
}

ExitStatus CliOperations::Service(const CommandOptions& options)
{
    const QString action = options.Positional().value(0);
    const QString name = m_globals.config().item(Keys::Options::kInstanceServiceName);
    const QELntSvcCM service;
    if (action == "status") {
        const QString state = service.ServiceStatus({}, name);
        return Tell(state, !state.startsWith("ERROR:"));
    }
    if (action != "start" && action != "stop")
        return Usage("service status|start|stop");
    // The request is only queued; "status" tells when it has been carried out.
    const QString refusal = action == "start" ? service.vbStartService({}, name) : service.vbStopService({}, name);
    return refusal.isEmpty() ? Tell(action + ": requested", true) : Tell(refusal, false);
}

ExitStatus CliOperations::Tell(const QString& text, bool success)
{
    (success ? m_out : m_err) << text << Qt::endl;
    return success ? ExitStatus::Success : ExitStatus::Failed;
}
