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
    m_txtPath = AddFolderRow(*form, QStringLiteral("txtPath"), QStringLiteral("Path:"), QStringLiteral("btnBrowse"),
                             QStringLiteral("Please Select a Folder"));
    m_txtFilePrefix = AddField(*form, QStringLiteral("txtFilePrefix"), QStringLiteral("File Prefix:"));
    m_txtFileExt = AddField(*form, QStringLiteral("txtFileExt"), QStringLiteral("File Ext:"));
    m_txtArchive = AddFolderRow(*form, QStringLiteral("txtArchive"), QStringLiteral("Archive:"),
                                QStringLiteral("btnBrowseArchive"), QStringLiteral("Please Select the Archive Folder"));
    m_txtArchive->setToolTip(QStringLiteral("Folder that keeps every past day file; empty keeps none"));
    layout()->addWidget(frame);
}

// A folder box with its own Browse button, which asks with the title given.
QLineEdit* CustomConfig::AddFolderRow(QFormLayout& form, const QString& name, const QString& label,
                                      const QString& buttonName, const QString& title)
{
    auto* box = new QLineEdit(form.parentWidget());
    box->setObjectName(name);
    box->setAccessibleName(label);
    box->setMinimumWidth(320);
    auto* browse = new QPushButton(QStringLiteral("Browse"), form.parentWidget());
    browse->setObjectName(buttonName);
    browse->setAccessibleName(QStringLiteral("Browse"));
    browse->setAccessibleDescription(label);
    connect(browse, &QPushButton::clicked, this, [this, box, title] { Browse(*box, title); });
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(browse);
    form.addRow(label, row);
    return box;
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
    m_txtArchive->setText(config.item(CustomConfiguration::kArchiveKey));
    return true;
}

bool CustomConfig::ApplySettings()
{
    QELConfiguration& config = globals().config();
    config.setItem(CustomConfiguration::kPrefixKey, m_txtFilePrefix->text());
    config.setItem(CustomConfiguration::kExtKey, m_txtFileExt->text());
    config.setItem(CustomConfiguration::kPathKey, m_txtPath->text());
    config.setItem(CustomConfiguration::kArchiveKey, m_txtArchive->text());
    return true;
}

// A cancelled chooser keeps the folder: an empty one saved by mistake would
// leave every import without files.
void CustomConfig::Browse(QLineEdit& box, const QString& title)
{
    const QString folder = m_folderChooser(this, title);
    if (!folder.isEmpty())
        box.setText(folder);
}
