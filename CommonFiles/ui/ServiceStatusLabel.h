#pragma once

#include "CommonFiles/ui/ValueLabel.h"

// A service's state as both service windows show it: "Running" on green,
// every other state on red, "N/A" on red when the state cannot be had, and
// an empty state as an empty caption on the colour there was. The state is
// what a screen reader reads, too.
class ServiceStatusLabel : public ValueLabel {
    Q_OBJECT
public:
    explicit ServiceStatusLabel(const QString& caption, QWidget* parent = nullptr);

    // A state text of QELntSvcCM::ServiceStatus, an ERROR text included.
    void Show(const QString& status);
    void ShowNotAvailable();

signals:
    void CaptionChanged(const QString& caption);

private:
    void Paint(const QColor& background);
    void SetCaption(const QString& caption);
};
