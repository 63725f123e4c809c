#pragma once

#include <QList>
#include <QString>

class QELConfiguration;

// The additional-info map as a person edits it: rows that name a source
// field and the target column its value goes to, each switched on or off.
// A map where one column would receive two source fields, or a row in use
// misses a field, is refused whole: stored, it would leave the writer to
// pick one value at random or to write nowhere.
class AdditionalInfoMap {
public:
    struct Row {
        bool enabled = false;
        QString targetId;
        QString sourceId;

        bool operator==(const Row&) const = default;
    };

    static QList<Row> Read(const QELConfiguration& config);
    static void Store(QELConfiguration& config, const QList<Row>& rows);
    // Why the rows may not be stored, or empty when they may.
    static QString Refusal(const QList<Row>& rows);
};
