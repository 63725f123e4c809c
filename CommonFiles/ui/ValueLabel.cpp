#include "CommonFiles/ui/ValueLabel.h"

ValueLabel::ValueLabel(const QString& caption, QWidget* parent) : QLabel(parent), m_caption(caption)
{
    ShowValue(QString());
}

void ValueLabel::ShowValue(const QString& value)
{
    setText(value);
    setAccessibleName(value.isEmpty() ? m_caption : m_caption + ": " + value);
    setAccessibleDescription(value);
}
