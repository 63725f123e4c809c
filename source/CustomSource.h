#pragma once

#include "platform/DateTime.h"
#include "source/DataFileCache.h"

#include <QString>
#include <QVariant>

class CommonGlobals;

// Where values come from: the Fischer and Porter day files. A tag such as
// "ALG 3:12" addresses field 3 of line 12 of the file of the slot's day;
// the file must hold that day's date. A request gives the cell's trimmed
// text or Null (no value for the slot). A day file that is there but
// cannot be read is an execution error, which the import retries like a
// lost connection. The source keeps no connection; the members that exist
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
    void PrepareForNextVariable() {}
    void PrepareForNextFacility(double, double, double) {}
    bool CacheFill(bool& ExecutionErrorOccured);
    bool Validate();
    QVariant GetDoubleResult(bool& ExecutionErrorOccured);
    QVariant GetTextResult(bool& ExecutionErrorOccured);
    QString LogCustomSourceQuery() const;
    void DestroyConnection() {}
    QString GenerateSourceConnString(bool) const { return QStringLiteral("N/A"); }

    // Whether the last value requested had no day file to come from (as
    // against a file whose cell holds nothing).
    bool DayFileMissing() const { return m_dayFileMissing; }
    qint16 ColumnNumber() const { return m_columnNumber; }
    qint16 LineNumber() const { return m_lineNumber; }

private:
    // unreadable: the day file exists but could not be read.
    QVariant ReadCellValue(bool& unreadable);
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
    bool m_dayFileMissing = false;
};
