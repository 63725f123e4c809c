#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

// Saves what a window shows, rendered offscreen, as <name>.png in the build's
// screenshots folder; `make screenshots` gathers them for the documentation.
// Returns false when the picture could not be written.
inline bool SaveScreenshot(QWidget& window, const QString& name)
{
    const QString folder = QStringLiteral(R58213_SCREENSHOT_DIR);
    if (!QDir().mkpath(folder))
        return false;
    return window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}
