#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>

class CommonGlobals;

namespace ado {
class Connection;
}

// Publishes an interface definition archive into the target's root schema:
// the help file and the browser plug-in as FILES rows, the interface's
// lookup row in k5_server_lu and its feature rows in k5_lu_f_lu. Failures
// are told to the person through the message handler and leave no part of
// the definition behind. Work files go under <program folder>/temp, which is
// removed after every upload.
class CommonDefUpload {
public:
    explicit CommonDefUpload(CommonGlobals& globals);

    // chooseArchive is asked for the archive once the target's root schema
    // is open, so a target that cannot be reached is told before anyone
    // picks a file; it gives an empty path when the person cancelled. True
    // only when every file and row was stored.
    bool UploadCurrentDefinition(const std::function<QString()>& chooseArchive);
    // The archive given in advance (the command line).
    bool UploadCurrentDefinition(const QString& archivePath);

    // Stores a local file as the FILES row of (dirname, filename), both
    // upper-cased, replacing that row's content when it exists (its ID
    // stays). id receives the row's ID. False, without a message, when the
    // local file does not exist; database failures are logged.
    bool BLOBPutFile(const QString& localPath, const QString& dirname, const QString& filename, bool deleteLocalFile,
                     qint32& id);
    // As BLOBPutFile, keeping the local file; id is the ID as text, or "-1"
    // on failure.
    bool BLOBPutFileGetID(const QString& localPath, const QString& dirname, const QString& filename, QString& id);

private:
    // LU_ID, LU_LOCALE_ID and LU_VERSION: what identifies a definition.
    struct Key {
        QString id;
        QString locale;
        QString version;
        QString dirname() const { return id + "-" + locale + "-" + version; }
        // In the column order of the lookup tables.
        QVariantList columns() const { return {id, version, locale}; }
    };

    std::unique_ptr<ado::Connection> OpenRoot();
    bool Publish(const QString& archivePath, ado::Connection& root);
    bool Extract(const QString& archivePath, const QStringList& entries, const QString& folder);
    bool ReadNewKey(ado::Connection& root, Key& key);
    bool ReadKey(Key& key) const;
    bool QueryExists(ado::Connection& root, const Key& key, bool& exists);
    bool StoreFiles(const Key& key, const QString& folder, QList<qint32>& fileIds);
    bool InsertLookupRows(ado::Connection& root, const Key& key, qint32 chmFileId, qint32 browserFileId);
    void DeleteFileRows(ado::Connection& root, const QList<qint32>& fileIds);
    qint32 StoreFileRow(ado::Connection& root, const QString& localPath, const QString& dirname,
                        const QString& filename);
    void Show(const QString& text);

    CommonGlobals& m_globals;
    QString m_workFolder;
};
