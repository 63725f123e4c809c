#pragma once

#include "CommonFiles/control/ImportStatistics.h"

#include <QMap>
#include <QString>
#include <optional>

// The figures the service leaves for its monitoring, and their text in the
// exposition format node_exporter's textfile collector reads. Counters add
// up over every service import the file has seen; the text is read back
// before each write, so they continue across restarts. Times are Unix
// seconds.
struct HealthMetrics {
    struct Facility {
        QString name;
        std::optional<double> lastSuccess;
        std::optional<double> lastRun;
        std::optional<double> durationSeconds;
    };
    enum class Result { Succeeded, Failed, NotStarted };

    // Counters by their series text (name and labels), e.g.
    // r58213_slots_read_total or r58213_imports_total{result="failed"}.
    QMap<QString, double> counters;
    QMap<QString, Facility> facilities;
    double configurationErrorTime = 0;
    // When an import last filed a day file in the archive; 0 if never.
    double archiveLastFiled = 0;
    double schedulePeriodSeconds = 0;
    // The site of several on one host the figures are of, carried by every
    // series as its label site, so that one node_exporter serves every
    // site; empty on a host of one site.
    QString site;

    // Lines that cannot be read, and series this program does not write,
    // are left out.
    static HealthMetrics FromText(const QString& text);
    QString Text() const;

    // Adds an import that ended at finishedAt with the result given.
    void Add(const ImportStatistics& statistics, Result result, qint64 finishedAt);

    // A label value as the format writes it: backslash, double quote and
    // line feed escaped.
    static QString EscapedLabelValue(const QString& value);
    static qint64 EpochSeconds(const DateTime& local);
    static DateTime LocalTime(qint64 epochSeconds);

private:
    QString Sited(const QString& text) const;
    void Take(const QString& name, const QMap<QString, QString>& labels, double value);
};
