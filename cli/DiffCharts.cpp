#include "cli/DiffCharts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

// A chart of a month of minute slots for a hundred variables takes a while.
constexpr int kRenderMilliseconds = 10 * 60 * 1000;

}  // namespace

bool DiffCharts::Render(const DiffReport& report, const QString& output)
{
    const QString renderer = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("r58213"));
    if (!QFileInfo(renderer).isExecutable()) {
        m_err << "r58213-cli: the charts are drawn by the desktop program, which is not at " << renderer << Qt::endl;
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A cron job has no display: the pictures are drawn offscreen.
    if (!environment.contains("QT_QPA_PLATFORM") && environment.value("DISPLAY").isEmpty() &&
        environment.value("WAYLAND_DISPLAY").isEmpty())
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(renderer, {kRenderCommand, output});
    process.write(report.Json().toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(kRenderMilliseconds)) {
        process.kill();
        process.waitForFinished();
        m_err << "r58213-cli: the charts could not be drawn: " << process.errorString() << Qt::endl;
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
