#pragma once

#include <QString>
#include <stdexcept>

// The one error the program raises across a procedure boundary: a fixed
// number and a description, as the operator sees them in the log. Procedures
// that report failure by result catch it at their own boundary.
class NumberedError : public std::runtime_error {
public:
    NumberedError(int number, const QString& description);

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    // "<number> - <description>", the form every log line and message shows.
    QString Text() const;

private:
    int m_number;
    QString m_description;
};
