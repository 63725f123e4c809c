#include "CommonFiles/control/ProgramEntryPoint.h"

#include "CommonFiles/control/ConfigurationKeys.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/CommonAINFOnavigator.h"
#include "CommonFiles/target/CommonUnitConvert.h"
#include "platform/Conversions.h"
#include "platform/VersionRecord.h"
#include "source/CustomConfiguration.h"

namespace Keys = ConfigurationKeyNames;

namespace {

QString boolText(bool value)
{
    return Conversions::BooleanText(value);
}

}  // namespace

ProgramEntryPoint::ProgramEntryPoint(CommonGlobals& globals, RunFace face, const ProcessFacts& facts)
    : m_globals(globals), m_face(face), m_facts(facts)
{
    m_facts.taskVisible = face == RunFace::Interactive;
    m_facts.unattended = face != RunFace::Interactive;
}

bool ProgramEntryPoint::IsServiceCommandLine(const QString& commandLine)
{
    return commandLine.toUpper() == "NTSERVICE";
}

RunFace ProgramEntryPoint::FaceOfCommandLine(const QString& commandLine)
{
    return IsServiceCommandLine(commandLine) ? RunFace::Service : RunFace::Interactive;
}

QString ProgramEntryPoint::InteractiveCaption()
{
    return "R58213 " + VersionRecord::Comments() + " v" + VersionRecord::VersionText() + " - Interactive Mode";
}

qint16 ProgramEntryPoint::NormalisedVerbosity(const QString& text)
{
    return static_cast<qint16>(Conversions::ClampedInt32(text, 0, 9, 0));
}

qint16 ProgramEntryPoint::NormalisedKeepDays(const QString& text)
{
    return static_cast<qint16>(Conversions::ClampedInt32(text, 7, 1000, 30));
}

QString ProgramEntryPoint::MaskedCommandLine(const QStringList& arguments)
{
    const auto secret = [](const QString& name) {
        return name == "--password" || name == "--config-password" || QELConfiguration::IsSecretKey(name);
    };
    QStringList shown = arguments;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        // "--config-password=VALUE" is the same option in one word.
        const qsizetype equals = arguments[i].indexOf('=');
        if (equals > 0 && secret(arguments[i].left(equals)))
            shown[i] = arguments[i].left(equals + 1) + QELConfiguration::kSecretMask;
        else if (i > 0 && secret(arguments[i - 1]))
            shown[i] = QELConfiguration::kSecretMask;
    }
    return shown.join(' ');
}

bool ProgramEntryPoint::Start()
{
    m_globals.setServiceMode(m_face == RunFace::Service);
    SetUpLog();
    m_globals.netInfo().GetNetInfo();
    WriteBanner();
    m_globals.msgBox().setLogHandler(&m_globals.log());
    m_globals.msgBox().setSilentOperation(m_globals.serviceMode());
    m_globals.config().setLogHandler(&m_globals.log());
    m_globals.config().setPath(m_facts.programFolder + "/" + m_facts.exeName + ".xml");
    DefineKeys();
    if (!ReadConfiguration())
        return false;
    ApplyLogSettings();
    m_globals.ApplyEncryptionChoice();
    LogProcessFacts();
    m_globals.SetHelpFile();
    m_globals.log().WriteLog("HELPFILE=" + m_globals.HelpFile(), 2);
    m_globals.config().dumpConfiguration();
    return true;
}

void ProgramEntryPoint::SetUpLog()
{
    static const QString kPostfix[] = {"_interactive", "_ntservice", "_cli"};
    QELLoggerTXT& log = m_globals.log();
    log.setLogPath(m_facts.programFolder + "/log");
    log.setEnabled(true);
    log.setBufferLength(1);
    log.setPostfix(kPostfix[static_cast<int>(m_face)]);
    log.setLogHandleAssertion(m_face == RunFace::Service);
}

void ProgramEntryPoint::WriteBanner()
{
    QELLoggerTXT& log = m_globals.log();
    const QString build = VersionRecord::FileDescription();
    log.WriteLog(VersionRecord::Comments(), 0);
    log.WriteLog(VersionRecord::Title() + " version " + VersionRecord::VersionText() + " (Build " + build + ")", 0);
    log.WriteLog("Build Numbers : " + build + " (Application)  66 (Type) 149 (Platform)", 0);
    log.WriteLog("ID: " + VersionRecord::ProductName(), 0);
    log.WriteLog("Running on " + m_globals.netInfo().AllTextDump(), 0);
}

void ProgramEntryPoint::DefineKeys()
{
    ConfigurationKeys::DefineStartupKeys(m_globals.config(), m_globals.clock().now(), VersionRecord::Title());
    CustomConfiguration::DefineSourceKeys(m_globals.config());
    // Defined before the file is read, so that a saved conversion table
    // and additional-info map come back at the next start and stay in
    // every later save.
    CommonUnitConvert(m_globals).DefineTree();
    CommonAINFOnavigator(m_globals).DefineTree();
}

bool ProgramEntryPoint::ReadConfiguration()
{
    if (m_globals.config().ReadConfig())
        return true;
    m_globals.msgBox().QelMsgBox("Unable to read configuration at " + m_globals.config().path(),
                                 QELmsgBoxHandler::Exclamation, "Unable to start " + VersionRecord::Title());
    return false;
}

void ProgramEntryPoint::ApplyLogSettings()
{
    QELConfiguration& config = m_globals.config();
    QELLoggerTXT& log = m_globals.log();
    // The corrections are not the user's changes: they go into the keys but
    // leave the configuration as unchanged as the file that was just read.
    const bool changed = config.ChangeWasMade();
    const qint16 verbosity = NormalisedVerbosity(config.item(Keys::Options::kLogVerbosity));
    config.setItem(Keys::Options::kLogVerbosity, QString::number(verbosity));
    log.setVerbosity(verbosity);
    log.AssertVerbosity();
    const qint16 keepDays = NormalisedKeepDays(config.item(Keys::Options::kKeepLogsFor));
    config.setItem(Keys::Options::kKeepLogsFor, QString::number(keepDays));
    config.setChangeWasMade(changed);
    log.LSM_Init(keepDays);
    log.LSM_Run();
}

void ProgramEntryPoint::LogProcessFacts()
{
    QELLoggerTXT& log = m_globals.log();
    log.WriteLog("PATH=" + m_facts.programFolder, 2);
    log.WriteLog("EXENAME=" + m_facts.exeName, 2);
    log.WriteLog("COMMAND=" + MaskedCommandLine(m_facts.arguments), 2);
    log.WriteLog("THREAD_ID=" + QString::number(m_facts.threadId), 2);
    log.WriteLog("TASK_VISIBLE=" + boolText(m_facts.taskVisible), 2);
    log.WriteLog("TASK_UNATTENTED_APP=" + boolText(m_facts.unattended), 2);
    log.WriteLog("HINSTANCE=" + QString::number(m_facts.instanceHandle), 2);
}
