#pragma once

#include "CommonFiles/ui/SettingsDialog.h"

class DateTimePicker;
class QBoxLayout;
class QLineEdit;
class QRadioButton;

// When the service imports (daily at a time, hourly at a minute, or every
// so many minutes), the date a first import starts from, the shift added to
// each start date, whether a recalculation is requested afterwards and
// whether the target is really written. The schedule shown is the one the
// service follows, even when the file says YES to more than one.
class CommonConfigNTSvc : public SettingsDialog {
    Q_OBJECT
public:
    explicit CommonConfigNTSvc(CommonGlobals& globals, QWidget* parent = nullptr);

protected:
    bool RefreshFromConfig() override;
    bool ApplyToConfig() override;

private:
    void AddScheduleFrame();
    void AddImportFrame();
    void AddChoiceFrames();
    QRadioButton* AddOption(QBoxLayout& row, const QString& name, const QString& caption);
    QLineEdit* AddNumber(QBoxLayout& row, const QString& name, const QString& label);

    QRadioButton* m_optDaily = nullptr;
    QRadioButton* m_optHourly = nullptr;
    QRadioButton* m_optMinutely = nullptr;
    QLineEdit* m_dayTimeHour = nullptr;
    QLineEdit* m_dayTimeMinutes = nullptr;
    QLineEdit* m_hourTimeMinutes = nullptr;
    QLineEdit* m_minutelyMinutes = nullptr;
    DateTimePicker* m_dtStart = nullptr;
    QLineEdit* m_txtTimeShift = nullptr;
    QRadioButton* m_optCalcRequest = nullptr;
    QRadioButton* m_optNoCalcRequest = nullptr;
    QRadioButton* m_optRealMode = nullptr;
    QRadioButton* m_optTestMode = nullptr;
};
