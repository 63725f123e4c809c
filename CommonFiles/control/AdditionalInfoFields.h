#pragma once

#include <QList>
#include <QString>
#include <optional>

class CommonGlobals;

// The target fields the additional-info map may name: the user columns of
// the additional-info table (DATATBL_I) of every facility on the target.
// The map is one for all facilities, so a person is offered every column
// that any facility has; a facility that cannot be opened or read is left
// out (its trace is in the log).
class AdditionalInfoFields {
public:
    struct Field {
        QString name;
        QString type;
        // Character types only.
        QString length;
    };

    explicit AdditionalInfoFields(CommonGlobals& globals) : m_globals(globals) {}

    // Opens the root schema (a person watches the attempt; a failure is
    // reported in a message) and reads the columns, ordered by name. No
    // column from any facility is reported as a list that cannot be read.
    // Nothing in both cases.
    std::optional<QList<Field>> Read();

private:
    void AddColumnsOf(const QString& facilityKey, QList<Field>& fields);

    CommonGlobals& m_globals;
};
