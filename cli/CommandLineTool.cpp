#include "cli/CommandLineTool.h"

#include "CommonFiles/control/ProgramEntryPoint.h"
#include "CommonFiles/control/SettingRules.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/TargetConnections.h"
#include "cli/ArchiveCommand.h"
#include "cli/CliOperations.h"
#include "cli/CommandOptions.h"
#include "cli/ConsoleActivitySink.h"
#include "cli/ConsoleMessagePresenter.h"
#include "cli/GivenPasswordPrompt.h"
#include "cli/GlobalOptions.h"
#include "cli/HealthStatus.h"
#include "platform/Conversions.h"
#include "platform/DateTime.h"
#include "platform/NumberedError.h"
#include "platform/ProcessFacts.h"
#include "platform/ProgramHome.h"
#include "platform/VersionRecord.h"
#include "platform/ado/Connection.h"

#include <QCoreApplication>

namespace Keys = ConfigurationKeyNames;

namespace {

const char* const kUsage =
    "usage: r58213-cli [--home DIR] [--config-password PASSWORD] COMMAND [ARGS]\n"
    "       r58213-cli --help\n"
    "  config dump                          every key and value, \"KEY : value\" a line\n"
    "  config get KEY                       the value of one key\n"
    "  config set KEY VALUE [KEY VALUE ...] set the keys, then save the configuration; a window's\n"
    "                                       limits apply (clamped, or refused and kept: exit 1)\n"
    "  test-connection                      open the target's root schema and report\n"
    "  test-source --tag T [--stat S] --from DATE --to DATE [--text]\n"
    "                                       read one tag from the day files; prints the value or [NULL]\n"
    "  import-all [--test] [--from DATE --to DATE] [--user U --password P|-]\n"
    "                                       import every linked variable (without dates: the fixed dates)\n"
    "  import-all --service                 one import exactly as the service runs it\n"
    "  import --var FACILITY~VARID [--var ...] [--test] [--from DATE --to DATE]\n"
    "  import-all|import ... --test --diff [--format text|csv|json]\n"
    "                                       list per slot what the import would do (write, same, keep,\n"
    "                                       locked, no value), with a summary; nothing is written\n"
    "  import-all|import ... --test --diff --format png --output FILE.png|DIR/\n"
    "                                       the same as charts, one a variable: stacked in one picture,\n"
    "                                       or one picture a variable in DIR (no display needed)\n"
    "  gaps [--facility F] [--var F~ID] --from DATE --to DATE [--fill] [--format text|csv|json]\n"
    "                                       the slots the target has no row for, in runs, and whether the\n"
    "                                       day files can fill them; --fill imports exactly those (last-run\n"
    "                                       dates unchanged). Exit 0: no fillable gap left, 1: some, 2: error\n"
    "  last-run list                        the last-run row of every linked facility\n"
    "  last-run set FACILITY DATE           correct one last-run date\n"
    "  status                               each facility's last success, last-run date and its age;\n"
    "                                       exit 2 when one is older than twice the schedule period,\n"
    "                                       1 when nothing was filed in the archive for two days,\n"
    "                                       3 when the target cannot be read (a Nagios/Icinga check)\n"
    "  archive sync                         file the data folder's past day files in the archive\n"
    "                                       (R58213\\ARCHIVE) and print each one filed\n"
    "  archive verify                       check the archive against its manifests; exit 1 and the\n"
    "                                       files changed, missing or unlisted\n"
    "  archive list [--from DATE] [--to DATE]\n"
    "                                       the days the archive holds, a line per month\n"
    "  upload-definition ARCHIVE            publish a definition archive\n"
    "  demo                                 create a ready-to-run demo installation in --home\n"
    "  service status|start|stop            the service named by OPTIONS\\INSTANCE_SERVICE_NAME\n"
    "DATE: \"MM-dd-yyyy HH:mm:ss\" or \"yyyy-MM-dd HH:mm[:ss]\", local time\n"
    "The program folder may also come from the environment variable R58213_HOME (default: an installed\n"
    "package's state folder, else the program's own folder); the configuration password from\n"
    "R58213_CONFIG_PASSWORD. The super-user password of a protected import is read from standard input\n"
    "with --password - (one line), or from R58213_PASSWORD when --password is not given; either keeps it\n"
    "out of the process list. The protection password is shown as ********, never in clear.";

}  // namespace

CommandLineTool::CommandLineTool(const Clock& clock, QTextStream& out, QTextStream& err)
    : m_clock(clock), m_out(out), m_err(err)
{
}

ExitStatus CommandLineTool::Run(const QStringList& arguments, const QString& defaultHome)
{
    GlobalOptions options;
    QString problem;
    if (!options.Parse(arguments, problem))
        return Usage(problem);
    if (options.HelpWanted()) {
        m_out << kUsage << Qt::endl;
        return ExitStatus::Success;
    }
    if (options.VersionWanted()) {
        m_out << "r58213-cli " << VersionRecord::VersionText() << Qt::endl;
        return ExitStatus::Success;
    }
    if (options.Command().isEmpty())
        return Usage("no command given");
    return Start(options, defaultHome, arguments);
}

ExitStatus CommandLineTool::Start(const GlobalOptions& options, const QString& defaultHome,
                                  const QStringList& arguments)
{
    const QString folder = options.Home(defaultHome);
    const QString home = ProgramHome::Prepared(folder);
    if (home.isEmpty()) {
        m_err << "Cannot create the program folder " << folder << Qt::endl;
        return ExitStatus::UsageError;
    }
    CommonGlobals globals(m_clock, home, VersionRecord::Title());
    globals.setHelpFolder(ProgramHome::DataFolder(QCoreApplication::applicationDirPath()));
    // A report on standard output must stay readable by a script; the
    // activity of its run goes to standard error then.
    ConsoleActivitySink activity(PrintsReport(options.Command()) ? m_err : m_out);
    ConsoleMessagePresenter presenter(m_err);
    GivenPasswordPrompt passwordPrompt(options.ConfigPassword());
    globals.setActivitySink(&activity);
    globals.msgBox().setPresenter(&presenter);
    globals.setPasswordPrompt(&passwordPrompt);
    ProgramEntryPoint entry(globals, RunFace::CommandLine, ProcessFacts::Current(home, arguments));
    if (!entry.Start())
        return ExitStatus::UsageError;
    if (globals.config().Undecipherable())
        m_err << "r58213-cli: warning: the configuration " << globals.config().path()
              << " could not be deciphered; this command runs on default settings and will not save over the file."
              << Qt::endl;
    return Dispatch(globals, options.Command());
}

bool CommandLineTool::PrintsReport(const QStringList& command)
{
    return command.value(0) == "gaps" || command.value(0) == "status" || command.contains("--diff");
}

ExitStatus CommandLineTool::Usage(const QString& problem)
{
    m_err << "r58213-cli: " << problem << "\n" << kUsage << Qt::endl;
    return ExitStatus::UsageError;
}

ExitStatus CommandLineTool::Dispatch(CommonGlobals& globals, const QStringList& command)
{
    const QString verb = command.value(0);
    const QString sub = command.value(1);
    if (verb == "config" && sub == "dump" && command.size() == 2)
        return ConfigDump(globals);
    if (verb == "config" && sub == "get" && command.size() == 3)
        return ConfigGet(globals, command[2]);
    if (verb == "config" && sub == "set" && command.size() >= 4 && command.size() % 2 == 0)
        return ConfigSet(globals, command.mid(2));
    if (verb == "test-connection" && command.size() == 1)
        return TestConnection(globals);
    if (verb == "status" && command.size() == 1)
        return HealthStatus(globals, m_out).Run();
    if (verb == "archive" && sub == "sync" && command.size() == 2)
        return ArchiveCommand(globals, m_out, m_err).Sync();
    if (verb == "archive" && sub == "verify" && command.size() == 2)
        return ArchiveCommand(globals, m_out, m_err).Verify();
    return DispatchOperation(globals, command);
}

ExitStatus CommandLineTool::DispatchOperation(CommonGlobals& globals, const QStringList& command)
{
    const QString verb = command.value(0);
    const bool lastRun = verb == "last-run";
    const bool twoWords = lastRun || verb == "archive";
    QString problem;
    const auto options = CommandOptions::Parse(command.mid(twoWords ? 2 : 1), problem);
    if (!options)
        return Usage(problem);
    CliOperations operations(globals, m_out, m_err);
    const QString sub = command.value(1);
    if (verb == "import-all")
        return operations.ImportAll(*options);
    if (verb == "import")
        return operations.ImportSelected(*options);
    if (verb == "gaps")
        return operations.Gaps(*options);
    if (verb == "test-source")
        return operations.TestSource(*options);
    if (verb == "upload-definition")
        return operations.UploadDefinition(*options);
    if (verb == "demo" && command.size() == 1)
        return operations.Demo();
    if (verb == "service" && command.size() == 2)
        return operations.Service(*options);
    if (lastRun && sub == "list" && command.size() == 2)
        return operations.LastRunList();
    if (lastRun && sub == "set")
        return operations.LastRunSet(*options);
    if (verb == "archive" && sub == "list")
        return ArchiveList(globals, *options);
    return Usage("unknown command or wrong arguments: " + command.join(' '));
}

ExitStatus CommandLineTool::ArchiveList(CommonGlobals& globals, const CommandOptions& options)
{
    QDate bounds[2];
    const char* const names[2] = {"--from", "--to"};
    for (int i = 0; i < 2; ++i) {
        if (!options.Has(names[i]))
            continue;
        const auto date = DateTime::FromText(options.Value(names[i]));
        if (!date)
            return Usage(QString(names[i]) + " is not a date: " + options.Value(names[i]));
        bounds[i] = date->date();
    }
    return ArchiveCommand(globals, m_out, m_err).List(bounds[0], bounds[1]);
}

ExitStatus CommandLineTool::TestConnection(CommonGlobals& globals)
{
    ado::Connection root;
    if (!TargetConnections(globals).OpenRoot(root))
        return ExitStatus::Failed;
    root.Close();
    return ExitStatus::Success;
}

ExitStatus CommandLineTool::ConfigDump(CommonGlobals& globals)
{
    const QStringList keys = globals.config().Keys();
    for (const QString& key : keys)
        m_out << key << " : " << Shown(globals, key) << "\n";
    m_out.flush();
    return ExitStatus::Success;
}

// The protection password would unlock the configuration for whoever
// reads the output; it is set with config set, never shown.
QString CommandLineTool::Shown(CommonGlobals& globals, const QString& key)
{
    const QString value = globals.config().item(key);
    return key.compare(Keys::Options::kPasswordProtectConfigPassword, Qt::CaseInsensitive) == 0
        ? QStringLiteral("********")
        : value;
}

ExitStatus CommandLineTool::ConfigGet(CommonGlobals& globals, const QString& key)
{
    try {
        m_out << Shown(globals, key) << Qt::endl;
        return ExitStatus::Success;
    } catch (const NumberedError& e) {
        return ReportUndefinedKey(globals, e);
    }
}

ExitStatus CommandLineTool::ConfigSet(CommonGlobals& globals, const QStringList& pairs)
{
    QELConfiguration& config = globals.config();
    // Every key is checked before any is changed, so a typing error in one
    // key leaves the whole configuration as it was.
    try {
        for (int i = 0; i < pairs.size(); i += 2)
            config.item(pairs[i]);
    } catch (const NumberedError& e) {
        return ReportUndefinedKey(globals, e);
    }
    // A refused value keeps its key as it was; the others are still set
    // and saved, as a configuration window applies its other fields.
    const QList<AdditionalInfoMap::Row> mapBefore = AdditionalInfoMap::Read(config);
    bool refused = false;
    for (int i = 0; i < pairs.size(); i += 2)
        refused = !SetValue(globals, pairs[i], pairs[i + 1]) || refused;
    refused = !KeepsAValidMap(globals, mapBefore) || refused;
    if (!globals.SaveConfiguration()) {
        globals.msgBox().QelMsgBox("Unable to save configuration", QELmsgBoxHandler::Exclamation);
        return ExitStatus::Failed;
    }
    return refused ? ExitStatus::Failed : ExitStatus::Success;
}

bool CommandLineTool::SetValue(CommonGlobals& globals, const QString& key, const QString& typed)
{
    QELConfiguration& config = globals.config();
    const SettingRules::Outcome outcome = SettingRules::Apply(key, typed, config.item(key));
    for (const SettingRules::Message& message : outcome.messages)
        globals.msgBox().QelMsgBox(message.text, QELmsgBoxHandler::Exclamation, message.title);
    // A window shows a silently clamped number in its field; here nobody
    // would see it, so one line names what was stored.
    if (outcome.adjusted && outcome.messages.isEmpty()) {
        const SettingRules::Rule* rule = SettingRules::RuleOf(key);
        m_err << "r58213-cli: " << SettingRules::KeyPath(key) << " takes whole numbers from "
              << Conversions::NumberText(rule->low) << " to " << Conversions::NumberText(rule->high) << "; " << typed
              << " is stored as " << outcome.value << Qt::endl;
    }
    if (!outcome.refused)
        config.setItem(key, outcome.value);
    return !outcome.refused;
}

// The additional-info map is refused whole, as its window refuses it: a
// changed map with an empty field in a row in use, or a column named
// twice, goes back to what it was.
bool CommandLineTool::KeepsAValidMap(CommonGlobals& globals, const QList<AdditionalInfoMap::Row>& before)
{
    const QList<AdditionalInfoMap::Row> after = AdditionalInfoMap::Read(globals.config());
    const QString refusal = after == before ? QString() : AdditionalInfoMap::Refusal(after);
    if (refusal.isEmpty())
        return true;
    globals.msgBox().QelMsgBox(refusal, QELmsgBoxHandler::Exclamation, QStringLiteral("Validation failed"));
    AdditionalInfoMap::Store(globals.config(), before);
    return false;
}

ExitStatus CommandLineTool::ReportUndefinedKey(CommonGlobals& globals, const NumberedError& error)
{
    globals.msgBox().QelMsgBox(error.description(), QELmsgBoxHandler::Exclamation);
    return ExitStatus::UsageError;
}
