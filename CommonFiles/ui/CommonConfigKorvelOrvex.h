#pragma once

#include "CommonFiles/ui/SettingsDialog.h"

class QComboBox;
class QLineEdit;

// The connection to the target: its database type, provider, data source,
// customizations and time-outs. "Test Connection" tries the fields as they
// stand, before anything is applied, so a person can check a data source
// first and store it afterwards.
class CommonConfigKorvelOrvex : public SettingsDialog {
    Q_OBJECT
public:
    explicit CommonConfigKorvelOrvex(CommonGlobals& globals, QWidget* parent = nullptr);

protected:
    bool RefreshFromConfig() override;
    bool ApplyToConfig() override;

private:
    void AddConnectionFrame();
    // A type chosen by the person brings that type's provider; a type shown
    // on load does not, so a stored provider is never rewritten by opening.
    void TypeChosen(const QString& entry);
    void TestConnection();

    QComboBox* m_dbType = nullptr;
    QLineEdit* m_provider = nullptr;
    QLineEdit* m_datasource = nullptr;
    QLineEdit* m_customization = nullptr;
    QLineEdit* m_connectionTimeout = nullptr;
    QLineEdit* m_commandTimeout = nullptr;
};
