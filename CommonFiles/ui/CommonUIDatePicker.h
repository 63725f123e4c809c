#pragma once

#include "CommonFiles/ui/DateTimePicker.h"
#include "platform/DateTime.h"

#include <QDialog>

class CommonGlobals;
class QComboBox;
class QFormLayout;

// The date-range picker of interactive imports: a list of date shortcuts
// fills a start and an end picker, which the person may then change
// freely. Shown modally and read by its caller after it closes: unless the
// person accepted with "wizard", it counts as cancelled. It loads (takes
// "now" and selects "YESTERDAY AND TODAY") when first shown.
class CommonUIDatePicker : public QDialog {
    Q_OBJECT
public:
    explicit CommonUIDatePicker(CommonGlobals& globals, QWidget* parent = nullptr);
    void setVisible(bool visible) override;

    bool Cancelled() const { return m_cancelled; }
    // The two pickers' values, as shown.
    DateTime Start() const;
    DateTime End() const;

protected:
    virtual void Load();
    // The moment a chosen shortcut counts from: the clock, read anew.
    virtual DateTime ReferenceMoment() const;
    // Runs when the person accepts, before the window closes.
    virtual void Accepting() {}

    CommonGlobals& globals() { return m_globals; }
    QFormLayout& form() { return *m_form; }
    QDateTimeEdit& dtStart() { return *m_dtStart; }
    QDateTimeEdit& dtEnd() { return *m_dtEnd; }

private:
    void AddToolbar();
    DateTimePicker* AddPicker(const QString& name, const QString& caption);
    void ApplyShortcut(int index);
    void Wizard();

    CommonGlobals& m_globals;
    QFormLayout* m_form = nullptr;
    QComboBox* m_cboRelDateSetting = nullptr;
    DateTimePicker* m_dtStart = nullptr;
    DateTimePicker* m_dtEnd = nullptr;
    bool m_loaded = false;
    bool m_cancelled = true;
};
