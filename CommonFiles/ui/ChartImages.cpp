#include "CommonFiles/ui/ChartImages.h"

#include "CommonFiles/ui/ImportChartView.h"
#include "cli/ExitStatus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <cstdio>

QImage ChartImages::Picture(const ImportChartData& data)
{
    ImportChartView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(kWidth, kHeight);
    view.Show(data);
    view.show();
    // The legend and the axes are laid out by the event loop.
    QCoreApplication::processEvents();
    return view.grab().toImage();
}

QString ChartImages::FileName(const ImportChartData::Variable& variable)
{
    static const QRegularExpression kUnsafe(QStringLiteral("[^A-Za-z0-9_-]"));
    return QString(variable.facility).replace(kUnsafe, QStringLiteral("_")) + "_" + QString::number(variable.varId) +
        ".png";
}

bool ChartImages::Write(const DiffReport& report, const QString& output, QString& failure)
{
    const QList<ImportChartData::Variable> variables = ImportChartData::VariablesOf(report);
    if (variables.isEmpty()) {
        failure = "the test import walked no variable: there is nothing to chart";
        return false;
    }
    if (output.endsWith('/')) {
        if (!QDir().mkpath(output)) {
            failure = "cannot make the folder " + output;
            return false;
        }
        for (const ImportChartData::Variable& variable : variables)
            if (!Picture(ImportChartData::Of(report, variable)).save(output + FileName(variable), "PNG")) {
                failure = "cannot write " + output + FileName(variable);
                return false;
            }
        return true;
    }
    QImage stacked(kWidth, kHeight * static_cast<int>(variables.size()), QImage::Format_RGB32);
    stacked.fill(Qt::white);
    QPainter painter(&stacked);
    for (qsizetype i = 0; i < variables.size(); ++i)
        painter.drawImage(0, kHeight * static_cast<int>(i), Picture(ImportChartData::Of(report, variables[i])));
    painter.end();
    if (stacked.save(output, "PNG"))
        return true;
    failure = "cannot write " + output;
    return false;
}

int ChartImages::Run(const QString& output)
{
    QFile input;
    if (output.isEmpty() || !input.open(stdin, QIODevice::ReadOnly)) {
        std::fputs("r58213: CHARTS needs the file to write and the report on standard input\n", stderr);
        return static_cast<int>(ExitStatus::UsageError);
    }
    const auto report = DiffReport::FromJson(input.readAll());
    QString failure = "standard input holds no test import report";
    if (report && Write(*report, output, failure))
        return static_cast<int>(ExitStatus::Success);
    std::fprintf(stderr, "r58213: %s\n", qPrintable(failure));
    return static_cast<int>(ExitStatus::Failed);
}
