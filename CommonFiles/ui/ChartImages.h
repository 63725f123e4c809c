#pragma once

#include "CommonFiles/control/DiffReport.h"
#include "CommonFiles/control/ImportChartData.h"

#include <QImage>
#include <QString>

// The charts of a test import as pictures, for reports and e-mails from a
// cron job: the chart the Test Import Result window shows, one per
// variable, stacked in one PNG, or one PNG per variable in a folder (an
// output ending in "/"), named FACILITY_ID.png.
class ChartImages {
public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 420;

    // False with the reason when the report has no variable or a picture
    // cannot be written.
    static bool Write(const DiffReport& report, const QString& output, QString& failure);
    // The renderer the command line starts (r58213 CHARTS OUTPUT, see
    // DiffCharts), the JSON report on its standard input: the exit status,
    // the reason on standard error.
    static int Run(const QString& output);

private:
    static QImage Picture(const ImportChartData& data);
    static QString FileName(const ImportChartData::Variable& variable);
};
