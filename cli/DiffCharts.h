#pragma once

#include "CommonFiles/control/DiffReport.h"

#include <QString>
#include <QTextStream>

// The charts of a dry run as pictures (--format png). The command line
// draws no window: the desktop program beside it renders them offscreen
// (r58213 CHARTS OUTPUT, the report as JSON on its standard input), as its
// Test Import Result window draws them.
class DiffCharts {
public:
    // The word that starts the desktop program as the renderer.
    static inline const QString kRenderCommand = QStringLiteral("CHARTS");

    explicit DiffCharts(QTextStream& err) : m_err(err) {}

    // False, with the reason on the error stream, when they could not be
    // made.
    bool Render(const DiffReport& report, const QString& output);

private:
    QTextStream& m_err;
};
