#pragma once

#include "platform/DateTime.h"

#include <QList>
#include <QString>
#include <optional>

// What one import did, for the service's monitoring: how many slots ended
// which way, how often a connection failed, and how each facility the run
// reached fared.
struct ImportStatistics {
    struct Facility {
        QString key;
        QString name;
        // Set when the facility was walked to its end and the last-run
        // date stored (service mode only): the facility's import succeeded.
        std::optional<DateTime> storedLastRun;
        double seconds = 0;
    };

    qint64 slotsRead = 0;
    // Rows stored in the target.
    qint64 slotsWritten = 0;
    // Read, but with nothing to write: no value, or not a number.
    qint64 slotsSkipped = 0;
    // Of those, slots of a past day whose file holds no file date (yet).
    qint64 slotsNoFileDate = 0;
    // Kept from writing by a lock date, an approval level or a stored row.
    qint64 slotsRefused = 0;
    // Whose write still failed after the target's recovery attempts.
    qint64 slotsFailed = 0;
    qint64 sourceConnectionFailures = 0;
    qint64 targetConnectionFailures = 0;
    // Day files filed in the archive before the import read the folder.
    qint64 archiveFilesFiled = 0;
    QList<Facility> facilities;
};
