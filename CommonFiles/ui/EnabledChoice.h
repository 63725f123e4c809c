#pragma once

#include <QGroupBox>

class QRadioButton;

// A titled pair of options, "Enabled" and "Disabled", for a setting stored
// as "TRUE" or "FALSE". The options are named after the frame's key with
// "_enabled" and "_disabled" appended.
class EnabledChoice : public QGroupBox {
    Q_OBJECT
public:
    EnabledChoice(const QString& key, const QString& heading, QWidget* parent);

    // Chooses "Enabled" when the stored text reads TRUE in any letter case.
    void Load(const QString& stored);
    // "TRUE" when "Enabled" is chosen, else "FALSE".
    QString Stored() const;

private:
    QRadioButton* m_enabled = nullptr;
    QRadioButton* m_disabled = nullptr;
};
