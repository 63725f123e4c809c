#include "source/CustomSource.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "platform/Conversions.h"
#include "platform/NumberedError.h"
#include "platform/ado/FieldValue.h"
#include "source/CustomConfiguration.h"
#include "source/DayFileArchive.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// Only blanks are trimmed from a cell, as the files pad with blanks.
QString TrimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == ' ')
        ++start;
    while (end > start && text[end - 1] == ' ')
        --end;
    return text.mid(start, end - start);
}

}  // namespace

const QString CustomSource::kMissingFile = QStringLiteral("missing file");
const QString CustomSource::kNoFileDate = QStringLiteral("no file date");
const QString CustomSource::kFileOfAnotherDay = QStringLiteral("file of another day");
const QString CustomSource::kEmptyCell = QStringLiteral("empty cell");

CustomSource::CustomSource(CommonGlobals& globals) : m_globals(globals)
{
}

bool CustomSource::CacheFill(bool& ExecutionErrorOccured)
{
    ExecutionErrorOccured = false;
    return true;
}

QString CustomSource::ColumnText() const
{
    const QString address = m_sourceTag.mid(4);
    return address.left(address.indexOf(':'));
}

QString CustomSource::LineText() const
{
    return m_sourceTag.mid(m_sourceTag.indexOf(':') + 1);
}

qint16 CustomSource::TagColumnNumber() const
{
    return Conversions::ToInt16(ColumnText());
}

qint16 CustomSource::TagLineNumber() const
{
    return Conversions::ToInt16(LineText());
}

bool CustomSource::Validate()
{
    const auto fail = [this](const QString& message) {
        m_globals.log().WriteLog(message, 1);
        return false;
    };
    if (m_sourceStatistic != "LOOKUP")
        return fail("Validation Error : Unsupported Statistic '" + m_sourceStatistic + "'");
    if (m_sourceTag.isEmpty())
        return fail("Validation Error : Must provide a non-empty Source Tag");
    if (!m_sourceTag.contains("ALG"))
        return fail("Validation Error : Invalid ALG Source Tag");
    if (m_sourceTag.size() < 4 || m_sourceTag.mid(4).indexOf(':') < 1)
        return fail("Validation Error : Invalid Source Tag");
    if (!Conversions::IsNumeric(ColumnText()) || !Conversions::IsNumeric(LineText()))
        return fail("Validation Error : Invalid Source Tag");
    return true;
}

QVariant CustomSource::GetDoubleResult(bool& ExecutionErrorOccured)
{
    QCoreApplication::processEvents();
    ExecutionErrorOccured = false;
    return ReadCellValue(ExecutionErrorOccured);
}

QVariant CustomSource::GetTextResult(bool& ExecutionErrorOccured)
{
    QCoreApplication::processEvents();
    ExecutionErrorOccured = false;
    return QStringLiteral("NA");
}

QString CustomSource::DataFilePath() const
{
    const QELConfiguration& config = m_globals.config();
    return config.item(CustomConfiguration::kPathKey) + "/" + config.item(CustomConfiguration::kPrefixKey) +
        m_startdate.format("dd") + "." + config.item(CustomConfiguration::kExtKey);
}

QVariant CustomSource::NoValue(const QString& reason)
{
    m_noValueReason = reason;
    return {};
}

QVariant CustomSource::ReadCellValue(bool& unreadable)
{
    m_noValueReason = kEmptyCell;
    try {
        m_columnNumber = TagColumnNumber();
        m_lineNumber = TagLineNumber();
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CustomSource.ReadCellValue", error);
        return {};
    }
    const QString dayFile = DataFilePath();
    const DataFileCache::FileStamp stamp = DataFileCache::StampOf(dayFile);
    if (!stamp.exists) {
        const auto archived = ArchivedFile(dayFile);
        return archived ? CellOf(*archived) : MissingFile(dayFile, unreadable);
    }
    QString failure;
    const auto file = m_files.Load(dayFile, stamp, failure);
    if (!file) {
        m_globals.log().WriteLog("Unable to read file " + dayFile + ": " + failure, 0);
        unreadable = true;
        return {};
    }
    if (FileDateMatches(*file))
        return CellOf(*file);
    // The month has moved on, or the day is not complete yet: the archive
    // may hold the day as it was.
    if (const auto archived = ArchivedFile(dayFile))
        return CellOf(*archived);
    if (!file->fileDate) {
        TellNoFileDate(dayFile, stamp);
        return NoValue(kNoFileDate);
    }
    return NoValue(kFileOfAnotherDay);
}

// The archive's newest version of the day file that holds the slot's day,
// when an archive is configured and holds one.
std::shared_ptr<const DataFileCache::DataFile> CustomSource::ArchivedFile(const QString& dayFile)
{
    const QString root = CustomConfiguration::ArchiveFolder(m_globals.config());
    if (root.isEmpty())
        return nullptr;
    const QString name = QFileInfo(dayFile).fileName();
    const QString key = m_startdate.date().toString(Qt::ISODate) + "/" + name;
    const auto known = m_archivedPaths.constFind(key);
    const QStringList versions = known != m_archivedPaths.cend()
        ? QStringList{*known}
        : DayFileArchive(root).VersionsOf(m_startdate.date(), name);
    for (const QString& path : versions) {
        QString failure;
        const auto file = path.isEmpty() ? nullptr : m_files.Load(path, DataFileCache::StampOf(path), failure);
        if (!file || !FileDateMatches(*file))
            continue;
        m_archivedPaths.insert(key, path);
        if (!m_toldArchived.contains(path)) {
            m_toldArchived.insert(path);
            m_globals.log().WriteLog("Reading " + path + " from the archive.", 1);
        }
        return file;
    }
    m_archivedPaths.insert(key, QString());
    return nullptr;
}

QVariant CustomSource::MissingFile(const QString& dayFile, bool& unreadable)
{
    const QString folder = m_globals.config().item(CustomConfiguration::kPathKey);
    QString failure;
    if (!DataFileCache::FolderListable(folder, failure)) {
        m_globals.log().WriteLog("Unable to read the data folder '" + folder + "': " + failure, 0);
        unreadable = true;
        return {};
    }
    m_globals.log().WriteLog("Warning - File " + dayFile + " not found.", 0);
    return NoValue(kMissingFile);
}

QVariant CustomSource::CellOf(const DataFileCache::DataFile& file)
{
    const auto field = file.Field(m_lineNumber - 1, m_columnNumber - 1);
    const QString text = field ? TrimBlanks(*field) : QString();
    return text.isEmpty() ? NoValue(kEmptyCell) : QVariant(text);
}

bool CustomSource::PastDay() const
{
    return m_startdate.date() < m_globals.clock().now().date();
}

void CustomSource::TellNoFileDate(const QString& dayFile, const DataFileCache::FileStamp& stamp)
{
    // Today's file may still be waiting for its date fields.
    if (!PastDay())
        return;
    const QString version =
        dayFile + '\n' + QString::number(stamp.size) + '\n' + QString::number(stamp.modifiedMilliseconds);
    if (m_toldNoFileDate.contains(version))
        return;
    m_toldNoFileDate.insert(version);
    m_globals.log().WriteLog("Warning - File " + dayFile + " holds no file date; its values are not imported.", 0);
}

bool CustomSource::FileDateMatches(const DataFileCache::DataFile& file) const
{
    return file.fileDate && *file.fileDate == m_startdate.date();
}

QString CustomSource::LogCustomSourceQuery() const
{
    const QStringList parts = {
        "[SourceTag:] " + m_sourceTag,
        "[SourceStat:] " + m_sourceStatistic,
        "[Date >= :] " + m_startdate.format("mm/dd/yyyy HH:nn:ss") + " [ AND Date < :] " +
            m_enddate.format("mm/dd/yyyy HH:nn:ss"),
        "[LowRange:] " + ado::FieldValue(m_lowRangeFilter).toString(),
        "[HighRange:] " + ado::FieldValue(m_highRangeFilter).toString(),
        "[DeadBand:] " + ado::FieldValue(m_deadBand).toString(),
        "[FilterTag:] " + m_filterTag,
        "[FilterOp:] " + m_filterOp,
        "[FilterValue:] " + m_filterValue,
    };
    return parts.join('\t');
}
