#pragma once

#include "platform/DateTime.h"
#include "source/DataFileCache.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>

class CommonGlobals;

// Where values come from: the Fischer and Porter day files. A tag such as
// "ALG 3:12" addresses field 3 of line 12 of the file of the slot's day;
// the file must hold that day's date. A request gives the cell's trimmed
// text, or Null (no value for the slot) with the reason why. A day the data
// folder no longer holds (the logger overwrote its file a month later) is
// read from the archive of past day files when one is configured. A day file
// that is there but cannot be read, and a data folder that is not there
// or cannot be listed, are execution errors, which the import retries like
// a lost connection: a share that is not mounted must not pass for days
// without files. The source keeps no connection; the members that exist
// for sources that do are kept so the import treats every source alike.
class CustomSource {
public:
    explicit CustomSource(CommonGlobals& globals);

    void setStartdate(const DateTime& start) { m_startdate = start; }
    void setEnddate(const DateTime& end) { m_enddate = end; }
    void setSourceTag(const QString& tag) { m_sourceTag = tag; }
    void setSourceStatistic(const QString& statistic) { m_sourceStatistic = statistic.toUpper(); }
    void setFilterTag(const QString& tag) { m_filterTag = tag; }
    void setFilterOp(const QString& op) { m_filterOp = op; }
    void setFilterValue(const QString& value) { m_filterValue = value; }
    void setHighRangeFilter(const QVariant& value) { m_highRangeFilter = value; }
    void setLowRangeFilter(const QVariant& value) { m_lowRangeFilter = value; }
    void setDeadBand(const QVariant& value) { m_deadBand = value; }

    bool HoldLastRunDate() const { return false; }
    // The archive's versions found for each day are kept for one
    // variable's slots: nothing is filed while an import reads.
    void PrepareForNextVariable() { m_archivedPaths.clear(); }
    void PrepareForNextFacility(double, double, double) {}
    bool CacheFill(bool& ExecutionErrorOccured);
    bool Validate();
    QVariant GetDoubleResult(bool& ExecutionErrorOccured);
    QVariant GetTextResult(bool& ExecutionErrorOccured);
    QString LogCustomSourceQuery() const;
    void DestroyConnection() {}
    QString GenerateSourceConnString(bool) const { return QStringLiteral("N/A"); }

    // Why the last value requested is Null: kMissingFile, kNoFileDate,
    // kFileOfAnotherDay or kEmptyCell.
    const QString& NoValueReason() const { return m_noValueReason; }
    // Whether the slot asked for lies on a day before today, whose file
    // should be complete.
    bool PastDay() const;
    static const QString kMissingFile;
    static const QString kNoFileDate;
    static const QString kFileOfAnotherDay;
    static const QString kEmptyCell;
    qint16 ColumnNumber() const { return m_columnNumber; }
    qint16 LineNumber() const { return m_lineNumber; }

private:
    // unreadable: the day file exists but could not be read, or the data
    // folder cannot be listed.
    QVariant ReadCellValue(bool& unreadable);
    QVariant NoValue(const QString& reason);
    QVariant MissingFile(const QString& dayFile, bool& unreadable);
    QVariant CellOf(const DataFileCache::DataFile& file);
    std::shared_ptr<const DataFileCache::DataFile> ArchivedFile(const QString& dayFile);
    // A past day's file without its date fields is told once per version.
    void TellNoFileDate(const QString& dayFile, const DataFileCache::FileStamp& stamp);
    bool FileDateMatches(const DataFileCache::DataFile& file) const;
    qint16 TagColumnNumber() const;
    qint16 TagLineNumber() const;
    QString ColumnText() const;
    QString LineText() const;
    QString DataFilePath() const;

    CommonGlobals& m_globals;
    DataFileCache m_files;
    DateTime m_startdate;
    DateTime m_enddate;
    QString m_sourceTag;
    QString m_sourceStatistic;
    QString m_filterTag;
    QString m_filterOp;
    QString m_filterValue;
    QVariant m_highRangeFilter;
    QVariant m_lowRangeFilter;
    QVariant m_deadBand;
    qint16 m_columnNumber = 0;
    qint16 m_lineNumber = 0;
    QString m_noValueReason;
    QSet<QString> m_toldNoFileDate;
    QSet<QString> m_toldArchived;
    // Day and file name to the archived version holding that day; empty
    // when none does.
    QHash<QString, QString> m_archivedPaths;
};
