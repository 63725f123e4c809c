#pragma once

#include "CommonFiles/ui/SettingsDialog.h"

#include <functional>

class QFormLayout;
class QLineEdit;

// The settings of the data-file source: the folder of the day files, their
// name prefix and their extension, and the archive that keeps past days. "Apply Settings" hands them to the
// source at once, as it reads them on every request; "Save Settings" also
// writes the configuration file. Nothing typed is checked: an empty text or
// a folder that does not exist is stored as it stands.
class CustomConfig : public SettingsDialog {
    Q_OBJECT
public:
    // Asks for a folder; empty when the person cancels.
    using FolderChooser = std::function<QString(QWidget* owner, const QString& title)>;

    explicit CustomConfig(CommonGlobals& globals, QWidget* parent = nullptr);

    void setFolderChooser(FolderChooser chooser) { m_folderChooser = std::move(chooser); }
    // The platform's folder chooser: an absolute path, or empty on cancel.
    static QString BrowseForFolder(QWidget* owner, const QString& title);

protected:
    bool RefreshFromConfig() override { return LoadSettingsToForm(); }
    bool ApplyToConfig() override { return ApplySettings(); }

private:
    void AddSettingsFrame();
    QLineEdit* AddFolderRow(QFormLayout& form, const QString& name, const QString& label, const QString& buttonName,
                            const QString& title);
    bool LoadSettingsToForm();
    bool ApplySettings();
    void Browse(QLineEdit& box, const QString& title);

    FolderChooser m_folderChooser;
    QLineEdit* m_txtPath = nullptr;
    QLineEdit* m_txtFilePrefix = nullptr;
    QLineEdit* m_txtFileExt = nullptr;
    QLineEdit* m_txtArchive = nullptr;
};
