#include "CommonFiles/ui/CustomConfig.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/DialogToolBar.h"
#include "platform/NumberedError.h"
#include "source/CustomConfiguration.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kHelpTopic = QStringLiteral("12087");

}  // namespace

CustomConfig::CustomConfig(CommonGlobals& globals, QWidget* parent)
    : QDialog(parent), m_globals(globals), m_folderChooser(BrowseForFolder)
{
    setWindowTitle(QStringLiteral("Source Configuration"));
    new QVBoxLayout(this);
    AddToolBar();
    AddSettingsFrame();
    if (!LoadSettingsToForm())
        m_globals.msgBox().QelMsgBox(QStringLiteral("Failed to refresh UI from CONFIG"));
}

void CustomConfig::AddToolBar()
{
    auto* toolBar = new DialogToolBar(*this);
    connect(toolBar->AddButton(QStringLiteral("check"), QStringLiteral("Apply Settings"),
                               QStringLiteral("Applies settings (but does not save into configuration XML)"),
                               QStyle::SP_DialogApplyButton),
            &QAction::triggered, this, &CustomConfig::Apply);
    connect(toolBar->AddButton(QStringLiteral("save"), QStringLiteral("Save Settings"),
                               QStringLiteral("Applies Settings and Saves them into Configuration XML"),
                               QStyle::SP_DialogSaveButton),
            &QAction::triggered, this, &CustomConfig::Save);
    connect(toolBar->AddHelpButton(), &QAction::triggered, this, &CustomConfig::Help);
    toolBar->AddCloseButton();
}

void CustomConfig::AddSettingsFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Fischer and Porter Data File Settings"), this);
    auto* form = new QFormLayout(frame);
    m_txtPath = new QLineEdit(frame);
    m_txtPath->setObjectName(QStringLiteral("txtPath"));
    m_txtPath->setAccessibleName(QStringLiteral("Path:"));
    m_txtPath->setMinimumWidth(320);
    auto* btnBrowse = new QPushButton(QStringLiteral("Browse"), frame);
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnBrowse->setAccessibleName(QStringLiteral("Browse"));
    connect(btnBrowse, &QPushButton::clicked, this, &CustomConfig::Browse);
    auto* path = new QHBoxLayout;
    path->addWidget(m_txtPath);
    path->addWidget(btnBrowse);
    form->addRow(QStringLiteral("Path:"), path);
    m_txtFilePrefix = AddField(*form, QStringLiteral("txtFilePrefix"), QStringLiteral("File Prefix:"));
    m_txtFileExt = AddField(*form, QStringLiteral("txtFileExt"), QStringLiteral("File Ext:"));
    layout()->addWidget(frame);
}

QLineEdit* CustomConfig::AddField(QFormLayout& form, const QString& name, const QString& label)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setAccessibleName(label);
    form.addRow(label, field);
    return field;
}

QString CustomConfig::BrowseForFolder(QWidget* owner, const QString& title)
{
    return QFileDialog::getExistingDirectory(owner, title);
}

bool CustomConfig::LoadSettingsToForm()
{
    const QELConfiguration& config = m_globals.config();
    try {
        m_txtFilePrefix->setText(config.item(CustomConfiguration::kPrefixKey));
        m_txtFileExt->setText(config.item(CustomConfiguration::kExtKey));
        m_txtPath->setText(config.item(CustomConfiguration::kPathKey));
        return true;
    } catch (const NumberedError&) {
        return false;
    }
}

bool CustomConfig::ApplySettings()
{
    QELConfiguration& config = m_globals.config();
    try {
        config.setItem(CustomConfiguration::kPrefixKey, m_txtFilePrefix->text());
        config.setItem(CustomConfiguration::kExtKey, m_txtFileExt->text());
        config.setItem(CustomConfiguration::kPathKey, m_txtPath->text());
        return true;
    } catch (const NumberedError&) {
        return false;
    }
}

bool CustomConfig::ShowSourceHelp()
{
    return m_globals.ShowHelpTopic(kHelpTopic);
}

bool CustomConfig::Apply()
{
    if (ApplySettings())
        return true;
    m_globals.msgBox().QelMsgBox(QStringLiteral("Unable to apply settings"), QELmsgBoxHandler::Exclamation);
    return false;
}

// A failed apply is not saved: the file would keep what was there and
// "Saved successfully" would say otherwise.
void CustomConfig::Save()
{
    if (!Apply())
        return;
    if (m_globals.SaveConfiguration())
        m_globals.msgBox().QelMsgBox(QStringLiteral("Saved successfully"), QELmsgBoxHandler::Information);
    else
        m_globals.msgBox().QelMsgBox(QStringLiteral("Unable to save configuration"), QELmsgBoxHandler::Exclamation);
}

void CustomConfig::Help()
{
    if (!ShowSourceHelp())
        m_globals.msgBox().QelMsgBox(QStringLiteral("Unable to display help"), QELmsgBoxHandler::Exclamation);
}

// A cancelled chooser keeps the folder: an empty one saved by mistake would
// leave every import without files.
void CustomConfig::Browse()
{
    const QString folder = m_folderChooser(this, QStringLiteral("Please Select a Folder"));
    if (!folder.isEmpty())
        m_txtPath->setText(folder);
}
