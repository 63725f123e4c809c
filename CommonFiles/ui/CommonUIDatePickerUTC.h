#pragma once

#include "CommonFiles/control/PickerTimeBases.h"
#include "CommonFiles/ui/CommonUIDatePicker.h"

#include <optional>

class QComboBox;
class QLabel;

// The date-range picker for collectors whose data lie in another time
// zone: the pickers show dates in a chosen base (UTC, the collector's zone
// or this machine's), two labels show the same moments in UTC, and the
// accepted range is given back in UTC, to the second. Init is called before
// the window is first shown; the shortcuts count from the target server's
// clock in the chosen base.
class CommonUIDatePickerUTC : public CommonUIDatePicker {
    Q_OBJECT
public:
    explicit CommonUIDatePickerUTC(CommonGlobals& globals, QWidget* parent = nullptr);

    // The collector's zone id and the collector's and the interface's
    // offsets from UTC in minutes, positive east.
    void Init(qint32 CollectTZID, double CollectTZOff, double InterfaceTZOff);

    // The accepted range in UTC; meaningful once accepted.
    DateTime InteractiveStart() const { return m_interactiveStart; }
    DateTime InteractiveEnd() const { return m_interactiveEnd; }

protected:
    void Load() override;
    DateTime ReferenceMoment() const override { return m_reference; }
    void Accepting() override;

private:
    QLabel* AddUtcLabel(const QString& name, const QString& caption);
    PickerTimeBases::Base SelectedBase() const;
    void BaseChanged();
    void RefreshLabels();

    std::optional<PickerTimeBases> m_timeBases;
    QComboBox* m_cboTimeZone = nullptr;
    QLabel* m_utcStart = nullptr;
    QLabel* m_utcEnd = nullptr;
    DateTime m_reference;
    DateTime m_interactiveStart;
    DateTime m_interactiveEnd;
};
