#include "CommonFiles/ui/ServiceStatusLabel.h"

namespace {

const QColor kRunning(0, 255, 0);
const QColor kNotRunning(255, 0, 0);

}  // namespace

ServiceStatusLabel::ServiceStatusLabel(const QString& caption, QWidget* parent)
    : ValueLabel(QStringLiteral("Service Status"), parent)
{
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    ShowValue(caption);
}

void ServiceStatusLabel::Show(const QString& status)
{
    if (status.contains("ERROR:"))
        return ShowNotAvailable();
    if (!status.isEmpty())
        Paint(status == "Running" ? kRunning : kNotRunning);
    SetCaption(status);
}

void ServiceStatusLabel::ShowNotAvailable()
{
    Paint(kNotRunning);
    SetCaption("N/A");
}

void ServiceStatusLabel::Paint(const QColor& background)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
}

void ServiceStatusLabel::SetCaption(const QString& caption)
{
    ShowValue(caption);
    emit CaptionChanged(caption);
}
