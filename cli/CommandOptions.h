#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The words after a command: positional arguments and --options, some of
// them switches, some taking a value, --var repeatable.
class CommandOptions {
public:
    // Nothing (and the problem in error) for an unknown option or a
    // missing value.
    static std::optional<CommandOptions> Parse(const QStringList& words, QString& error);

    const QStringList& Positional() const { return m_positional; }
    bool Has(const QString& option) const { return m_values.contains(option); }
    QString Value(const QString& option) const { return m_values.value(option).value(0); }
    QStringList Values(const QString& option) const { return m_values.value(option); }

private:
    QStringList m_positional;
    QHash<QString, QStringList> m_values;
};
