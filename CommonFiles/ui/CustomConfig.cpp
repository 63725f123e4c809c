#include "CommonFiles/ui/CustomConfig.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "source/CustomConfiguration.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

CustomConfig::CustomConfig(CommonGlobals& globals, QWidget* parent)
    : SettingsDialog(globals, QStringLiteral("Source Configuration"), QStringLiteral("12087"), parent),
      m_folderChooser(BrowseForFolder)
{
    AddSettingsFrame();
    Refresh();
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

QString CustomConfig::BrowseForFolder(QWidget* owner, const QString& title)
{
    return QFileDialog::getExistingDirectory(owner, title);
}

bool CustomConfig::LoadSettingsToForm()
{
    const QELConfiguration& config = globals().config();
    m_txtFilePrefix->setText(config.item(CustomConfiguration::kPrefixKey));
    m_txtFileExt->setText(config.item(CustomConfiguration::kExtKey));
    m_txtPath->setText(config.item(CustomConfiguration::kPathKey));
    return true;
}

bool CustomConfig::ApplySettings()
{
    QELConfiguration& config = globals().config();
    config.setItem(CustomConfiguration::kPrefixKey, m_txtFilePrefix->text());
    config.setItem(CustomConfiguration::kExtKey, m_txtFileExt->text());
    config.setItem(CustomConfiguration::kPathKey, m_txtPath->text());
    return true;
}

// A cancelled chooser keeps the folder: an empty one saved by mistake would
// leave every import without files.
void CustomConfig::Browse()
{
    const QString folder = m_folderChooser(this, QStringLiteral("Please Select a Folder"));
    if (!folder.isEmpty())
        m_txtPath->setText(folder);
}
