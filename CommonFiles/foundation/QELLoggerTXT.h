#pragma once

#include "platform/Clock.h"
#include "platform/DateTime.h"

#include <QFile>
#include <QString>
#include <memory>

class NumberedError;

// The diagnostic log: one text file per process and per day in the log
// folder, a line per message stamped "hh:mm:ss : ". Messages above the
// verbosity are dropped. The name of each newly opened file can be published
// in a handle file so that another process can follow the log, and old files
// in the folder are removed after a number of days.
class QELLoggerTXT {
public:
    // The log folder starts as <programFolder>/log; the handle file is
    // <programFolder>/<exeName>.log_handle.
    QELLoggerTXT(const Clock& clock, const QString& programFolder, const QString& exeName);
    ~QELLoggerTXT();

    void setLogHandleAssertion(bool assert) { m_logHandleAssertion = assert; }
    void setLogPath(const QString& path);
    const QString& LogPath() const { return m_logPath; }
    void setPrefix(const QString& prefix) { m_prefix = prefix; }
    const QString& Prefix() const { return m_prefix; }
    void setPostfix(const QString& postfix) { m_postfix = postfix; }
    const QString& Postfix() const { return m_postfix; }
    void setVerbosity(qint16 verbosity) { m_verbosity = verbosity; }
    qint16 Verbosity() const { return m_verbosity; }
    // Whether a line of that level would be written: a line no one will
    // read need not be put together.
    bool Writes(int level) const { return m_enabled && m_verbosity >= level; }
    void setBufferLength(qint16 length) { m_bufferLength = length; }
    qint16 BufferLength() const { return m_bufferLength; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool Enabled() const { return m_enabled; }

    const QString& CurrentFile() const { return m_currentFile; }
    QString HandleFilePath() const { return m_handleFile; }

    void closeLog();
    void AssertVerbosity();
    void WriteLog(const QString& text, int level);
    // The trace of an error a procedure clears at its own boundary:
    // "<procedure>(): <number> - <description>" at level 2, where procedure
    // reads "<Class>.<Procedure>".
    void WriteClearedError(const QString& procedure, const NumberedError& error);
    void LSM_Init(qint16 days);
    void LSM_Run();

    // Text as one log line: line breaks, NUL and the other control
    // characters (tabs aside) shown as escapes ("\\n", "\\r", "\\0", "\\x1B"),
    // so no text from a file or a database can start a line of its own.
    static QString Printable(const QString& text);
    // Whether a file name is one the logger gives its logs:
    // "mm_dd_yyyy__hh_nn_ss_<mode>.log", after the prefix.
    static bool IsLogFileName(const QString& name);

    DateTime GetLastModifiedFileTime(const QString& path) const;
    qint32 GetFileSizeInBytes(const QString& path) const;
    bool KillFileAndDiscardError(const QString& path) const;

private:
    void OpenLog();
    void WriteLine(const QString& text);
    void AppendLine(const QString& text);
    void WriteLogHandle(const QString& path) const;
    // Tells standard error once that lines are being lost, and why; said
    // again only after a line has been written since.
    void ReportLoss(const QString& reason);
    bool ShouldRunCleanup();

    const Clock& m_clock;
    QString m_handleFile;
    QString m_logPath;
    QString m_prefix;
    QString m_postfix;
    qint16 m_verbosity = 0;
    qint16 m_bufferLength = 1024;
    bool m_enabled = false;
    bool m_logHandleAssertion = false;
    bool m_lossReported = false;

    std::unique_ptr<QFile> m_file;
    qint64 m_pendingChars = 0;
    QString m_currentFile;
    QDate m_logDate;

    QString m_cleanupFolder;
    qint16 m_keepDays = 30;
    bool m_cleanupEnabled = false;
    DateTime m_lastCleanup;
};
