#include "CommonFiles/foundation/QELLoggerTXT.h"

#include "platform/NumberedError.h"
#include "platform/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace {

constexpr int kHighestLevel = 9;
constexpr int kClearedErrorLevel = 2;

}  // namespace

QELLoggerTXT::QELLoggerTXT(const Clock& clock, const QString& programFolder, const QString& exeName)
    : m_clock(clock), m_handleFile(programFolder + "/" + exeName + ".log_handle"), m_logPath(programFolder + "/log")
{
}

QELLoggerTXT::~QELLoggerTXT() = default;

void QELLoggerTXT::setLogPath(const QString& path)
{
    m_logPath = path;
    // The logs may hold facts about the installation: the group may read
    // them, nobody else.
    if (QDir().mkdir(path))
        QFile::setPermissions(path,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                  QFileDevice::ReadGroup | QFileDevice::ExeGroup);
}

void QELLoggerTXT::closeLog()
{
    if (!m_enabled || !m_file)
        return;
    m_file->close();
    m_file.reset();
}

void QELLoggerTXT::AssertVerbosity()
{
    WriteLog("[Log Verbosity is set to " + QString::number(m_verbosity) + ", Log Date is " + m_clock.now().shortDate() +
                 "]",
             0);
}

void QELLoggerTXT::WriteLog(const QString& text, int level)
{
    level = std::clamp(level, 0, kHighestLevel);
    if (!m_enabled)
        return;
    if (!m_file)
        OpenLog();
    if (m_verbosity >= level)
        WriteLine(text);
}

void QELLoggerTXT::WriteClearedError(const QString& procedure, const NumberedError& error)
{
    // Below its level a trace does not even open a log file, so a cleared
    // error changes nothing an operator sees at a lower verbosity.
    if (m_verbosity >= kClearedErrorLevel)
        WriteLog(procedure + "(): " + error.Text(), kClearedErrorLevel);
}

void QELLoggerTXT::OpenLog()
{
    const DateTime now = m_clock.now();
    const QString path = m_logPath + "/" + m_prefix + now.format("mm_dd_yyyy__hh_nn_ss") + m_postfix + ".log";
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append)) {
        ReportLoss("the log file " + path + " cannot be opened: " + file->errorString());
        return;
    }
    m_file = std::move(file);
    m_pendingChars = 0;
    m_currentFile = path;
    m_logDate = now.date();
    if (m_logHandleAssertion)
        WriteLogHandle(path);
}

void QELLoggerTXT::WriteLine(const QString& text)
{
    if (!m_enabled || !m_file)
        return;
    if (m_clock.now().date() != m_logDate) {
        const QString previous = m_currentFile;
        closeLog();
        WriteLog("Previous log file for this session = " + previous, 0);
        WriteLine(text);
        return;
    }
    AppendLine(text);
}

void QELLoggerTXT::AppendLine(const QString& text)
{
    const QByteArray line = (m_clock.now().format("hh:mm:ss") + " : " + Printable(text) + "\r\n").toUtf8();
    bool written = m_file->write(line) == line.size();
    m_pendingChars += line.size();
    // The buffer length decides how much may wait in memory; with 1 every
    // line reaches the disk at once, so a watching process sees it.
    if (m_pendingChars >= m_bufferLength) {
        written = m_file->flush() && written;
        m_pendingChars = 0;
    }
    if (!written) {
        ReportLoss("writing to " + m_currentFile + " failed: " + m_file->errorString());
        m_file->unsetError();
    } else {
        m_lossReported = false;
    }
}

void QELLoggerTXT::ReportLoss(const QString& reason)
{
    if (m_lossReported)
        return;
    m_lossReported = true;
    std::fprintf(stderr, "r58213: log lines are being lost: %s\n", qUtf8Printable(reason));
    std::fflush(stderr);
}

QString QELLoggerTXT::Printable(const QString& text)
{
    QString printable;
    printable.reserve(text.size());
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        const bool control = category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph;
        if (!control || c == '\t')
            printable += c;
        else if (c == '\n')
            printable += QStringLiteral("\\n");
        else if (c == '\r')
            printable += QStringLiteral("\\r");
        else if (c.unicode() == 0)
            printable += QStringLiteral("\\0");
        else
            printable += QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, '0');
    }
    return printable;
}

void QELLoggerTXT::WriteLogHandle(const QString& path) const
{
    QFile::remove(m_handleFile);
    QFile handle(m_handleFile);
    if (handle.open(QIODevice::WriteOnly))
        handle.write((path + "\n").toUtf8());
}

void QELLoggerTXT::LSM_Init(qint16 days)
{
    m_keepDays = std::clamp<qint16>(days, 7, 1000);
    // The folder is kept as given: on this platform file names are case
    // sensitive, so an upper-cased folder would name another folder.
    m_cleanupFolder = m_logPath;
    WriteLog("Logs in '" + m_cleanupFolder + "' will be removed after they are older than " +
                 QString::number(m_keepDays) + " days.",
             0);
    m_lastCleanup = DateTime::Zero();
    m_cleanupEnabled = true;
}

bool QELLoggerTXT::ShouldRunCleanup()
{
    if (!m_cleanupEnabled)
        return false;
    const DateTime now = m_clock.now();
    const DateTime hour = now.datePart().addMinutes(now.hour() * 60);
    if (hour <= m_lastCleanup)
        return false;
    m_lastCleanup = hour;
    return true;
}

bool QELLoggerTXT::IsLogFileName(const QString& name)
{
    static const QRegularExpression kLogName(
        QStringLiteral("^[A-Za-z0-9_]*\\d{2}_\\d{2}_\\d{4}__\\d{2}_\\d{2}_\\d{2}(_[A-Za-z0-9]+)?\\.log$"));
    return kLogName.match(name).hasMatch();
}

// Only what the program wrote goes: files named as its logs, judged by the
// entry itself. A link, in the folder or as the folder, is never followed,
// so nothing outside the log folder and nothing of anyone else is removed.
void QELLoggerTXT::LSM_Run()
{
    if (!ShouldRunCleanup())
        return;
    struct stat folderStatus {};
    if (::lstat(QFile::encodeName(m_cleanupFolder).constData(), &folderStatus) != 0 || !S_ISDIR(folderStatus.st_mode))
        return;
    const DateTime cutoff = m_clock.now().addDays(-m_keepDays);
    int count = 0;
    qint64 freedBytes = 0;
    const QStringList names = QDir(m_cleanupFolder).entryList(QDir::Files | QDir::System | QDir::Hidden);
    for (const QString& name : names) {
        const QString path = m_cleanupFolder + "/" + name;
        if (!IsLogFileName(name) || !RegularFile::IsRegularNotLink(path))
            continue;
        const qint32 size = GetFileSizeInBytes(path);
        if (GetLastModifiedFileTime(path) < cutoff && KillFileAndDiscardError(path)) {
            ++count;
            freedBytes += size;
        }
    }
    if (count == 0)
        return;
    const QString freed = QLocale(QLocale::English, QLocale::UnitedStates).toString(freedBytes / 1024.0, 'f', 2);
    WriteLine("Removed " + QString::number(count) + " logs. Freed " + freed + " kB of disk space.");
}

// Taken from the entry itself, never by opening it.
DateTime QELLoggerTXT::GetLastModifiedFileTime(const QString& path) const
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return m_clock.now();
    const QDateTime written = QDateTime::fromSecsSinceEpoch(status.st_mtim.tv_sec).toLocalTime();
    return DateTime::FromQDateTime(written.date(), written.time());
}

qint32 QELLoggerTXT::GetFileSizeInBytes(const QString& path) const
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return 0;
    return static_cast<qint32>(status.st_size & 0xFFFFFFFF);
}

bool QELLoggerTXT::KillFileAndDiscardError(const QString& path) const
{
    return QFile::remove(path);
}
