#pragma once

#include <QDialog>

class CommonGlobals;
class DialogToolBar;
class QFormLayout;
class QLineEdit;

// The pattern every settings window follows: a toolbar with "Apply
// Settings" (keys set, file untouched), "Save Settings" (applied, then the
// file written), "Help" and "Close"; the fields filled from the
// configuration when the window opens. A window gives its help topic and
// its two halves, RefreshFromConfig and ApplyToConfig.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(CommonGlobals& globals, const QString& caption, const QString& helpTopic, QWidget* parent);

protected:
    // Fills every field from the configuration; false when that failed.
    virtual bool RefreshFromConfig() = 0;
    // Sets the keys from the fields in their order; false on an unexpected
    // failure (a refused field value is not one: it is told and skipped).
    virtual bool ApplyToConfig() = 0;
    // Why the fields may not be applied as they stand, told instead of
    // applying any of them; empty when they may.
    virtual QString Refusal() { return {}; }

    // A text field with its label, named for assistive tools by the label.
    QLineEdit* AddField(QFormLayout& form, const QString& name, const QString& label);
    // A check box or button of this window with its caption, named for
    // assistive tools by the caption.
    template <class Control> Control* NamedControl(const QString& name, const QString& caption)
    {
        auto* control = new Control(caption, this);
        control->setObjectName(name);
        control->setAccessibleName(caption);
        return control;
    }
    // Called by the window's constructor once its fields exist.
    void Refresh();
    // Applies a typed field through the key's setting rule: the person is
    // told of a refused, clamped or rounded value, and the field shows what
    // is stored.
    void ApplyField(QLineEdit& field, const QString& key);

    CommonGlobals& globals() { return m_globals; }
    DialogToolBar& toolBar() { return *m_toolBar; }

private:
    bool Apply();
    void Save();

    CommonGlobals& m_globals;
    QString m_helpTopic;
    DialogToolBar* m_toolBar = nullptr;
};
