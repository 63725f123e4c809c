#pragma once

#include <QList>
#include <QString>
#include <optional>

class CommonGlobals;

namespace ado {
class Connection;
}

// The collectors of this program that the target knows (its k5_server rows
// of this product), for a person to choose which one this installation
// is; the choice is stored in KORVELORVEX\K5_SERVER_INTERFACE_ID.
class CollectorList {
public:
    struct Entry {
        qint32 interfaceId = 0;
        QString name;
        QString luVersion;
    };

    explicit CollectorList(CommonGlobals& globals) : m_globals(globals) {}

    // Opens the root schema (a person watches the attempt) and reads the
    // list; a connection that fails is reported in a message, a list that
    // cannot be read is logged; nothing in both cases.
    std::optional<QList<Entry>> Read();
    // The list from an open root connection, ordered by name without
    // regard to case; raises NumberedError.
    static QList<Entry> Read(ado::Connection& root);
    // The entry that is the stored collector, or -1.
    int StoredIndex(const QList<Entry>& entries) const;
    // Stores the entry's id and says so in the activity list and the log.
    // An index outside the entries (an empty list, no selection) changes
    // nothing: false.
    bool Designate(const QList<Entry>& entries, qsizetype index);

private:
    CommonGlobals& m_globals;
};
