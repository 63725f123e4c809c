#include "CommonFiles/ui/CommonConfigNTSvc.h"

#include "CommonFiles/control/CommonNTSERVICE.h"
#include "CommonFiles/control/SettingRules.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/ui/DateTimePicker.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace Keys = ConfigurationKeyNames;

CommonConfigNTSvc::CommonConfigNTSvc(CommonGlobals& globals, QWidget* parent)
    : SettingsDialog(globals, QStringLiteral("Automated Import Configuration"), QStringLiteral("12044"), parent)
{
    AddScheduleFrame();
    AddImportFrame();
    AddChoiceFrames();
    Refresh();
}

// Options sharing a frame exclude each other.
QRadioButton* CommonConfigNTSvc::AddOption(QBoxLayout& row, const QString& name, const QString& caption)
{
    auto* option = new QRadioButton(caption, this);
    option->setObjectName(name);
    option->setAccessibleName(caption);
    row.addWidget(option);
    return option;
}

QLineEdit* CommonConfigNTSvc::AddNumber(QBoxLayout& row, const QString& name, const QString& label)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setAccessibleName(label);
    field->setMaximumWidth(60);
    row.addWidget(field);
    row.addWidget(new QLabel(label, this));
    return field;
}

void CommonConfigNTSvc::AddScheduleFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Automated Import Schedule"), this);
    auto* rows = new QVBoxLayout(frame);
    auto* daily = new QHBoxLayout;
    m_optDaily = AddOption(*daily, QStringLiteral("optDaily"), QStringLiteral("Daily at"));
    m_dayTimeHour = AddNumber(*daily, QStringLiteral("dayTimeHour"), QStringLiteral("hours [0 - 23]"));
    m_dayTimeMinutes = AddNumber(*daily, QStringLiteral("dayTimeMinutes"), QStringLiteral("minutes [0 - 59]"));
    auto* hourly = new QHBoxLayout;
    m_optHourly = AddOption(*hourly, QStringLiteral("optHourly"), QStringLiteral("Hourly at"));
    m_hourTimeMinutes = AddNumber(*hourly, QStringLiteral("HourTimeMinutes"), QStringLiteral("minutes [0 - 59]"));
    auto* minutely = new QHBoxLayout;
    m_optMinutely = AddOption(*minutely, QStringLiteral("optMinutely"), QStringLiteral("Minutely"));
    minutely->addWidget(new QLabel(QStringLiteral("Every"), this));
    m_minutelyMinutes = AddNumber(*minutely, QStringLiteral("MinutelyMinutes"), QStringLiteral("minutes"));
    for (QHBoxLayout* row : {daily, hourly, minutely}) {
        row->addStretch();
        rows->addLayout(row);
    }
    layout()->addWidget(frame);
}

void CommonConfigNTSvc::AddImportFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Import Dates"), this);
    auto* form = new QFormLayout(frame);
    const QString dateLabel = QStringLiteral("Default Last Run Date");
    m_dtStart = new DateTimePicker(frame);
    m_dtStart->setObjectName(QStringLiteral("dtStart"));
    m_dtStart->setAccessibleName(dateLabel);
    form->addRow(dateLabel, m_dtStart);
    m_txtTimeShift = AddField(*form, QStringLiteral("txtTimeShift"),
                              QStringLiteral("Constant to Add to Start Date Each Time Import Runs (minutes)"));
    layout()->addWidget(frame);
}

void CommonConfigNTSvc::AddChoiceFrames()
{
    auto* calc = new QGroupBox(QStringLiteral("Calculations After Automated Import"), this);
    auto* calcRows = new QVBoxLayout(calc);
    m_optNoCalcRequest =
        AddOption(*calcRows, QStringLiteral("optNoCalcRequest"), QStringLiteral("Do not submit request"));
    m_optCalcRequest =
        AddOption(*calcRows, QStringLiteral("optCalcRequest"),
                  QStringLiteral("Submit Request to re-calculate ALL calculated variables within each facility"));
    auto* mode = new QGroupBox(QStringLiteral("Import Operation Mode"), this);
    auto* modeRows = new QVBoxLayout(mode);
    m_optRealMode = AddOption(*modeRows, QStringLiteral("optRealMode"), QStringLiteral("Real"));
    m_optTestMode =
        AddOption(*modeRows, QStringLiteral("optTestMode"), QStringLiteral("Test (Korvel Orvex is NEVER modified)"));
    layout()->addWidget(calc);
    layout()->addWidget(mode);
}

bool CommonConfigNTSvc::RefreshFromConfig()
{
    const QELConfiguration& config = globals().config();
    const std::optional<DateTime> lastRun = DateTime::FromText(config.item(Keys::AutomatedImport::kDefaultLastRun));
    if (!lastRun)
        return false;
    switch (CommonNTSERVICE::ChosenSchedule(config)) {
    case CommonNTSERVICE::Schedule::Hourly:
        m_optHourly->setChecked(true);
        break;
    case CommonNTSERVICE::Schedule::Minutely:
        m_optMinutely->setChecked(true);
        break;
    case CommonNTSERVICE::Schedule::Daily:
        m_optDaily->setChecked(true);
        break;
    }
    m_dayTimeHour->setText(config.item(Keys::Schedule::kDailyHour));
    m_dayTimeMinutes->setText(config.item(Keys::Schedule::kDailyMinute));
    m_hourTimeMinutes->setText(config.item(Keys::Schedule::kHourlyMinute));
    m_minutelyMinutes->setText(config.item(Keys::Schedule::kMinutelyMinute));
    m_dtStart->setValue(*lastRun);
    m_txtTimeShift->setText(config.item(Keys::AutomatedImport::kStartDateShiftMinute));
    const bool submit = config.item(Keys::AutomatedImport::kSubmitCalcRequest) == "YES";
    (submit ? m_optCalcRequest : m_optNoCalcRequest)->setChecked(true);
    const bool real = config.item(Keys::AutomatedImport::kRealOperationMode) == "YES";
    (real ? m_optRealMode : m_optTestMode)->setChecked(true);
    return true;
}

bool CommonConfigNTSvc::ApplyToConfig()
{
    QELConfiguration& config = globals().config();
    config.setItem(Keys::Schedule::kDaily, SettingRules::YesNo(m_optDaily->isChecked()));
    config.setItem(Keys::Schedule::kHourly, SettingRules::YesNo(m_optHourly->isChecked()));
    config.setItem(Keys::Schedule::kMinutely, SettingRules::YesNo(m_optMinutely->isChecked()));
    ApplyField(*m_dayTimeHour, Keys::Schedule::kDailyHour);
    ApplyField(*m_dayTimeMinutes, Keys::Schedule::kDailyMinute);
    ApplyField(*m_hourTimeMinutes, Keys::Schedule::kHourlyMinute);
    ApplyField(*m_minutelyMinutes, Keys::Schedule::kMinutelyMinute);
    config.setItem(Keys::AutomatedImport::kDefaultLastRun, SettingRules::DateText(m_dtStart->Value()));
    ApplyField(*m_txtTimeShift, Keys::AutomatedImport::kStartDateShiftMinute);
    config.setItem(Keys::AutomatedImport::kSubmitCalcRequest, SettingRules::YesNo(m_optCalcRequest->isChecked()));
    config.setItem(Keys::AutomatedImport::kRealOperationMode, SettingRules::YesNo(m_optRealMode->isChecked()));
    return true;
}
