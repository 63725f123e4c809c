#pragma once

#include <QString>

class QELConfiguration;

// The data-file source's share of the configuration: the folder, prefix and
// extension of the logger files, and the archive of past day files. The
// key names are defined here once, for every reader.
class CustomConfiguration {
public:
    static inline const QString kBranchKey = QStringLiteral("R58213");
    static inline const QString kPrefixKey = QStringLiteral("R58213\\PREFIX");
    static inline const QString kExtKey = QStringLiteral("R58213\\EXT");
    static inline const QString kPathKey = QStringLiteral("R58213\\PATH");
    // The folder that keeps every past day file; empty: none is kept.
    static inline const QString kArchiveKey = QStringLiteral("R58213\\ARCHIVE");

    static void DefineSourceKeys(QELConfiguration& config);
    // The archive folder as configured, blanks around it dropped; empty:
    // no archive is kept.
    static QString ArchiveFolder(const QELConfiguration& config);
    // The extra fields a record of this source may carry, for the
    // additional-info map to offer, NUL-separated: the day files carry
    // none.
    static QString SourceFieldList();
};
