#pragma once

#include "CommonFiles/ui/SettingsDialog.h"

class EnabledChoice;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QPushButton;

// The options an administrator seldom changes, on tabs: logging and the
// status windows' refresh, protection of the configuration, recovery of
// broken connections and the polling throttle. Numbers pass the setting
// rules (clamped, or refused with a message and the stored value kept).
// Switching the configuration password on asks for a new password, and
// switching it off asks for the current one; a cancel leaves it as it was.
// Buttons open the additional-info, unit conversion and caching windows.
class CommonConfigAdvanced : public SettingsDialog {
    Q_OBJECT
public:
    explicit CommonConfigAdvanced(CommonGlobals& globals, QWidget* parent = nullptr);

protected:
    bool RefreshFromConfig() override;
    bool ApplyToConfig() override;

private:
    struct NumberField {
        QString key;
        QLineEdit* field = nullptr;
    };

    QWidget* AddLoggingTab();
    QWidget* AddSecurityTab();
    QWidget* AddRecoveryTab();
    QWidget* AddPerformanceTab();
    void AddSubWindowButtons();
    void AddNumberField(QList<NumberField>& fields, QFormLayout& form, const QString& name, const QString& label,
                        const QString& key);
    void ApplyNumbers(const QList<NumberField>& fields);
    QCheckBox* AddCheckBox(QFormLayout& form, const QString& name, const QString& caption);
    void ApplyPasswordProtection();
    void SwitchProtectionOn();
    void SwitchProtectionOff();

    QComboBox* m_logLevel = nullptr;
    QLineEdit* m_serviceName = nullptr;
    // The typed numbers of the logging tab and of the recovery tab, each in
    // the order they are applied.
    QList<NumberField> m_loggingNumbers;
    QList<NumberField> m_recoveryNumbers;
    QCheckBox* m_protectEncrypt = nullptr;
    QCheckBox* m_requireInteractive = nullptr;
    QCheckBox* m_protectChange = nullptr;
    EnabledChoice* m_throttle = nullptr;
    QLineEdit* m_pollWait = nullptr;
    EnabledChoice* m_msgBefore = nullptr;
    EnabledChoice* m_msgAfter = nullptr;
};
