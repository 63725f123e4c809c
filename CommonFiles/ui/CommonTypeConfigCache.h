#pragma once

#include "CommonFiles/ui/SettingsDialog.h"

class EnabledChoice;
class QCheckBox;

// When the source may keep what it read in memory: caching on or off, and
// up to three limits (data points, days in the date range, bytes), each
// with its set point. A set point is clamped to its range by the setting
// rules; one that cannot be read keeps the stored value.
class CommonTypeConfigCache : public SettingsDialog {
    Q_OBJECT
public:
    explicit CommonTypeConfigCache(CommonGlobals& globals, QWidget* parent = nullptr);

protected:
    bool RefreshFromConfig() override;
    bool ApplyToConfig() override;

private:
    // A limit: its check box, its set point and their keys.
    struct Limit {
        QCheckBox* box = nullptr;
        QString boxKey;
        QLineEdit* setPoint = nullptr;
        QString setPointKey;
    };

    void AddLimit(QFormLayout& form, const QString& caption, const QString& boxKey, const QString& name,
                  const QString& setPointKey);

    EnabledChoice* m_enabled = nullptr;
    QList<Limit> m_limits;
};
