#pragma once

#include <QLabel>

// A label that shows a value (a state, a name) under a fixed caption. What
// it shows is also what assistive technology reads: the accessible name
// is "<caption>: <value>" and the description the value, both following
// every change.
class ValueLabel : public QLabel {
    Q_OBJECT
public:
    explicit ValueLabel(const QString& caption, QWidget* parent = nullptr);

    void ShowValue(const QString& value);

private:
    QString m_caption;
};
