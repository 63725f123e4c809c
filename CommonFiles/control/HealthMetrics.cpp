#include "CommonFiles/control/HealthMetrics.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <array>

namespace {

struct FacilityFamily {
    const char* name;
    const char* help;
    std::optional<double> HealthMetrics::Facility::*field;
};

const std::array<FacilityFamily, 3> kFacilityFamilies{{
    {"r58213_facility_last_success_timestamp_seconds",
     "When the facility was last imported to its end with its last-run date stored.",
     &HealthMetrics::Facility::lastSuccess},
    {"r58213_facility_last_run_timestamp_seconds", "The last-run date the last successful import stored.",
     &HealthMetrics::Facility::lastRun},
    {"r58213_facility_import_duration_seconds", "How long the last import spent on the facility.",
     &HealthMetrics::Facility::durationSeconds},
}};

struct CounterFamily {
    const char* name;
    const char* help;
    qint64 ImportStatistics::*field;
};

const std::array<CounterFamily, 9> kCounterFamilies{{
    {"r58213_slots_read_total", "Slots read from the data-logger files.", &ImportStatistics::slotsRead},
    {"r58213_slots_written_total", "Slots stored in the target.", &ImportStatistics::slotsWritten},
    {"r58213_slots_skipped_total", "Slots read with nothing to write: no value, or not a number.",
     &ImportStatistics::slotsSkipped},
    {"r58213_slots_no_file_date_total", "Slots of a past day whose file holds no file date: nothing was imported.",
     &ImportStatistics::slotsNoFileDate},
    {"r58213_slots_refused_total", "Slots a lock date, an approval level or a stored row kept from writing.",
     &ImportStatistics::slotsRefused},
    {"r58213_slots_failed_total", "Slots whose write failed after every recovery attempt.",
     &ImportStatistics::slotsFailed},
    {"r58213_target_connection_failures_total", "Failed exchanges with the target database.",
     &ImportStatistics::targetConnectionFailures},
    {"r58213_source_connection_failures_total", "Failed reads of the data-logger files.",
     &ImportStatistics::sourceConnectionFailures},
    {"r58213_archive_files_total", "Day files filed in the archive.", &ImportStatistics::archiveFilesFiled},
}};

const QString kImports = QStringLiteral("r58213_imports_total");
const std::array<const char*, 3> kResults{"succeeded", "failed", "not_started"};
const QString kConfigurationError = QStringLiteral("r58213_configuration_error_timestamp_seconds");
const QString kSchedulePeriod = QStringLiteral("r58213_schedule_period_seconds");
const QString kArchiveLastFiled = QStringLiteral("r58213_archive_last_filed_timestamp_seconds");

QString ImportsSeries(const QString& result)
{
    return kImports + "{result=\"" + result + "\"}";
}

QString Number(double value)
{
    return QString::number(value, 'g', 16);
}

QString Header(const QString& name, const char* type, const char* help)
{
    return "# HELP " + name + " " + QString::fromLatin1(help) + "\n# TYPE " + name + " " + QString::fromLatin1(type) +
        "\n";
}

bool NameCharacter(QChar c, bool first)
{
    return c == '_' || c == ':' || (c.isLetter() && c.unicode() < 128) || (!first && c.isDigit());
}

// One label list, from just after "{" to just after "}"; false when it is
// not well formed.
bool ParseLabels(QStringView line, qsizetype& i, QMap<QString, QString>& labels)
{
    const qsizetype n = line.size();
    while (i < n && line[i] != '}') {
        const qsizetype equals = line.indexOf('=', i);
        if (equals < 0 || equals + 1 >= n || line[equals + 1] != '"')
            return false;
        const QString key = line.mid(i, equals - i).trimmed().toString();
        QString value;
        for (i = equals + 2; i < n && line[i] != '"'; ++i) {
            QChar c = line[i];
            if (c == '\\' && i + 1 < n) {
                c = line[++i];
                c = c == 'n' ? QChar('\n') : c;
            }
            value += c;
        }
        if (i >= n)
            return false;
        labels.insert(key, value);
        if (++i < n && line[i] == ',')
            ++i;
    }
    return ++i <= n;
}

}  // namespace

QString HealthMetrics::EscapedLabelValue(const QString& value)
{
    QString escaped = value;
    return escaped.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n");
}

qint64 HealthMetrics::EpochSeconds(const DateTime& local)
{
    return QDateTime(local.date(), local.time()).toSecsSinceEpoch();
}

DateTime HealthMetrics::LocalTime(qint64 epochSeconds)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(epochSeconds);
    return DateTime::FromQDateTime(local.date(), local.time());
}

HealthMetrics HealthMetrics::FromText(const QString& text)
{
    HealthMetrics metrics;
    const QStringList lines = text.split('\n');
    for (const QString& line : lines) {
        qsizetype i = 0;
        while (i < line.size() && NameCharacter(line[i], i == 0))
            ++i;
        const QString name = line.left(i);
        QMap<QString, QString> labels;
        if (name.isEmpty() || (i < line.size() && line[i] == '{' && !ParseLabels(line, ++i, labels)))
            continue;
        const QString site = labels.take("site");
        if (!site.isEmpty())
            metrics.site = site;
        bool number = false;
        const double value = line.mid(i).trimmed().section(' ', 0, 0).toDouble(&number);
        if (number && i < line.size() && line[i].isSpace())
            metrics.Take(name, labels, value);
    }
    return metrics;
}

void HealthMetrics::Take(const QString& name, const QMap<QString, QString>& labels, double value)
{
    const QString facility = labels.value("facility");
    for (const FacilityFamily& family : kFacilityFamilies)
        if (name == QLatin1String(family.name) && !facility.isEmpty()) {
            Facility& taken = facilities[facility];
            taken.*family.field = value;
            taken.name = labels.value("name", taken.name);
        }
    for (const CounterFamily& family : kCounterFamilies)
        if (name == QLatin1String(family.name) && labels.isEmpty())
            counters[name] = value;
    for (const char* result : kResults)
        if (name == kImports && labels == QMap<QString, QString>{{"result", result}})
            counters[ImportsSeries(result)] = value;
    if (name == kConfigurationError && labels.isEmpty())
        configurationErrorTime = value;
    if (name == kArchiveLastFiled && labels.isEmpty())
        archiveLastFiled = value;
}

void HealthMetrics::Add(const ImportStatistics& statistics, Result result, qint64 finishedAt)
{
    for (const CounterFamily& family : kCounterFamilies)
        counters[family.name] += static_cast<double>(statistics.*family.field);
    counters[ImportsSeries(kResults.at(static_cast<size_t>(result)))] += 1;
    if (statistics.archiveFilesFiled > 0)
        archiveLastFiled = static_cast<double>(finishedAt);
    for (const ImportStatistics::Facility& outcome : statistics.facilities) {
        Facility& facility = facilities[outcome.key];
        facility.name = outcome.name;
        facility.durationSeconds = outcome.seconds;
        if (!outcome.storedLastRun)
            continue;
        facility.lastSuccess = static_cast<double>(finishedAt);
        facility.lastRun = static_cast<double>(EpochSeconds(*outcome.storedLastRun));
    }
}

QString HealthMetrics::Text() const
{
    QString text;
    for (const FacilityFamily& family : kFacilityFamilies) {
        QString lines;
        for (auto it = facilities.cbegin(); it != facilities.cend(); ++it)
            if ((it.value().*family.field).has_value())
                lines += QString::fromLatin1(family.name) + "{facility=\"" + EscapedLabelValue(it.key()) +
                    "\",name=\"" + EscapedLabelValue(it.value().name) + "\"} " + Number(*(it.value().*family.field)) +
                    "\n";
        if (!lines.isEmpty())
            text += Header(family.name, "gauge", family.help) + lines;
    }
    for (const CounterFamily& family : kCounterFamilies)
        text += Header(family.name, "counter", family.help) + family.name + " " + Number(counters.value(family.name)) +
            "\n";
    text += Header(kImports, "counter", "Service imports by how they ended.");
    for (const char* result : kResults)
        text += ImportsSeries(result) + " " + Number(counters.value(ImportsSeries(result))) + "\n";
    text += Header(kConfigurationError, "gauge",
                   "When an import was last skipped because the configuration could not be read; 0 if never.") +
        kConfigurationError + " " + Number(configurationErrorTime) + "\n";
    text += Header(kSchedulePeriod, "gauge", "Seconds between two scheduled imports.") + kSchedulePeriod + " " +
        Number(schedulePeriodSeconds) + "\n";
    text += Header(kArchiveLastFiled, "gauge", "When an import last filed a day file in the archive; 0 if never.") +
        kArchiveLastFiled + " " + Number(archiveLastFiled) + "\n";
    return Sited(text);
}

// Every series of the text with the site as its first label.
QString HealthMetrics::Sited(const QString& text) const
{
    if (site.isEmpty())
        return text;
    static const QRegularExpression kNameEnd(QStringLiteral("[{ ]"));
    const QString label = "site=\"" + EscapedLabelValue(site) + "\"";
    QStringList lines = text.split('\n');
    for (QString& line : lines) {
        const qsizetype end = line.indexOf(kNameEnd);
        if (line.startsWith('#') || end <= 0)
            continue;
        if (line[end] == '{')
            line.insert(end + 1, label + ",");
        else
            line.insert(end, "{" + label + "}");
    }
    return lines.join('\n');
}
