#include "CommonFiles/ui/CommonUIDatePicker.h"

#include "CommonFiles/control/DateShortcuts.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/DateTimePicker.h"
#include "CommonFiles/ui/DialogHelp.h"

#include <QComboBox>
#include <QFormLayout>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kYesterdayAndToday = 3;

}  // namespace

CommonUIDatePicker::CommonUIDatePicker(CommonGlobals& globals, QWidget* parent) : QDialog(parent), m_globals(globals)
{
    setWindowTitle(QStringLiteral("Select Date Range to Import"));
    auto* layout = new QVBoxLayout(this);
    AddToolbar();
    m_form = new QFormLayout;
    layout->addLayout(m_form);

    m_cboRelDateSetting = new QComboBox(this);
    m_cboRelDateSetting->setObjectName(QStringLiteral("cboRelDateSetting"));
    const QString caption = QStringLiteral("Set Using Start and End Date Shortcuts");
    m_cboRelDateSetting->setAccessibleName(caption);
    m_cboRelDateSetting->addItems(DateShortcuts::Names());
    m_form->addRow(caption, m_cboRelDateSetting);
    connect(m_cboRelDateSetting, &QComboBox::activated, this, &CommonUIDatePicker::ApplyShortcut);

    m_dtStart = AddPicker(QStringLiteral("dtStart"), QStringLiteral("Start Date and Time"));
    m_dtEnd = AddPicker(QStringLiteral("dtEnd"), QStringLiteral("End Date and Time"));
}

void CommonUIDatePicker::AddToolbar()
{
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("myToolBar"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto add = [this, toolbar](const QString& key, QStyle::StandardPixmap icon, const QString& text) {
        QAction* action = toolbar->addAction(style()->standardIcon(icon), text);
        action->setObjectName(key);
        return action;
    };
    connect(add(QStringLiteral("wizard"), QStyle::SP_DialogOkButton, QStringLiteral("OK")), &QAction::triggered, this,
            &CommonUIDatePicker::Wizard);
    connect(add(QStringLiteral("cancel"), QStyle::SP_DialogCancelButton, QStringLiteral("Cancel")), &QAction::triggered,
            this, &QDialog::reject);
    connect(add(QStringLiteral("help"), QStyle::SP_DialogHelpButton, QStringLiteral("Help")), &QAction::triggered, this,
            [this] { DialogHelp::Show(m_globals, QStringLiteral("12058")); });
    layout()->setMenuBar(toolbar);
}

DateTimePicker* CommonUIDatePicker::AddPicker(const QString& name, const QString& caption)
{
    auto* picker = new DateTimePicker(this);
    picker->setObjectName(name);
    picker->setAccessibleName(caption);
    m_form->addRow(caption, picker);
    return picker;
}

// Loads before the window is first laid out, so that it is sized for the
// texts loading puts into it.
void CommonUIDatePicker::setVisible(bool visible)
{
    if (visible && !m_loaded) {
        m_loaded = true;
        Load();
    }
    QDialog::setVisible(visible);
}

void CommonUIDatePicker::Load()
{
    m_cboRelDateSetting->setCurrentIndex(kYesterdayAndToday);
    ApplyShortcut(kYesterdayAndToday);
}

DateTime CommonUIDatePicker::ReferenceMoment() const
{
    return m_globals.clock().now();
}

void CommonUIDatePicker::ApplyShortcut(int index)
{
    const auto range = DateShortcuts::Range(m_cboRelDateSetting->itemText(index), ReferenceMoment());
    if (!range)
        return;
    m_dtStart->setValue(range->start);
    m_dtEnd->setValue(range->end);
}

DateTime CommonUIDatePicker::Start() const
{
    return m_dtStart->Value();
}

DateTime CommonUIDatePicker::End() const
{
    return m_dtEnd->Value();
}

void CommonUIDatePicker::Wizard()
{
    m_cancelled = false;
    Accepting();
    accept();
}
