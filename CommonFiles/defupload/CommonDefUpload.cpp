#include "CommonFiles/defupload/CommonDefUpload.h"

#include "CommonFiles/defupload/DefinitionArchive.h"
#include "CommonFiles/defupload/DefinitionDocument.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/SqlExecution.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

namespace {

const QString kIncorrectState = QStringLiteral("Could not read XML File. K5_Server_LU file is in an incorrect state.");
const QString kUnreadableKey =
    QStringLiteral("There was an error Reading the collector, locale, or version definition files. ");

const QString kInsertServerLu = QStringLiteral(
    "insert into k5_Server_LU(LU_ID, LU_VERSION, LU_LOCALE_ID, QUICK_DESC, COLLECTOR_CONTEXT, COLLECTOR_TYPE, "
    "COLLECTOR_COM, BROWSER_IMPLEMENTED, CHM_FILE_ID, UD_REQ1, UD_REQ2, UD_REQ3, UD_REQ4, UD_REQ5, UD_CAPTION1, "
    "UD_CAPTION2, UD_CAPTION3, UD_CAPTION4, UD_CAPTION5, BROWSER_PLUGIN_FILE_ID, BROWSER_CHM_ARTICLE_ID, "
    "BROWSER_REQ1, BROWSER_REQ2, BROWSER_REQ3, BROWSER_REQ4, BROWSER_REQ5, BROWSER_CAPTION1, BROWSER_CAPTION2, "
    "BROWSER_CAPTION3, BROWSER_CAPTION4, BROWSER_CAPTION5, COLLECTOR_DATEADJUST_IMP, COLLECTOR_DATEADJUST_CAPTION) "
    "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
const QString kInsertFeature = QStringLiteral(
    "insert into k5_LU_F_LU(LU_ID, LU_VERSION, LU_LOCALE_ID, KEYVALUE, CURVALUE, KEY_DESC) values (?, ?, ?, ?, ?, ?)");

// The first comma-delimited field of a text file, written bare or as a
// quoted string; nothing when the file cannot be read or holds no field.
std::optional<QString> FirstField(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(file.readAll()).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (text.startsWith('"'))
        return text.mid(1).section('"', 0, 0);
    static const QRegularExpression kFieldEnd(QStringLiteral("[,\r\n]"));
    return text.section(kFieldEnd, 0, 0).trimmed();
}

// The key's parts name the work folders of the payload files, so none may
// lead out of the work folder.
bool IsFolderName(const QString& part)
{
    return !part.isEmpty() && part != "." && part != ".." && !part.contains('/') && !part.contains('\\');
}

}  // namespace

CommonDefUpload::CommonDefUpload(CommonGlobals& globals) : m_globals(globals)
{
}

bool CommonDefUpload::UploadCurrentDefinition(const QString& archivePath)
{
    return UploadCurrentDefinition([&archivePath] { return archivePath; });
}

bool CommonDefUpload::UploadCurrentDefinition(const std::function<QString()>& chooseArchive)
{
    const auto root = OpenRoot();
    if (!root)
        return false;
    const QString archivePath = chooseArchive();
    if (archivePath.isEmpty())
        return false;
    m_workFolder = m_globals.programFolder() + "/temp";
    const bool published = Publish(archivePath, *root);
    // Nothing unpacked stays behind, whatever became of the upload.
    QDir(m_workFolder).removeRecursively();
    return published;
}

bool CommonDefUpload::Publish(const QString& archivePath, ado::Connection& root)
{
    if (!Extract(archivePath, {"collector", "definition.xml", "locale", "version"}, m_workFolder))
        return false;
    Key key;
    if (!ReadNewKey(root, key))
        return false;
    const QString payloadFolder = m_workFolder + "/" + key.id + "/" + key.locale + "/" + key.version + "/";
    if (!Extract(archivePath, {"Browser.exe", "help.chm"}, payloadFolder))
        return false;
    QList<qint32> fileIds;
    if (!StoreFiles(key, payloadFolder, fileIds) || !InsertLookupRows(root, key, fileIds[0], fileIds[1])) {
        DeleteFileRows(root, fileIds);
        return false;
    }
    m_globals.WriteActivity("Upload Successful", 0);
    return true;
}

std::unique_ptr<ado::Connection> CommonDefUpload::OpenRoot()
{
    auto root = std::make_unique<ado::Connection>();
    return TargetConnections(m_globals).OpenRoot(*root) ? std::move(root) : nullptr;
}

bool CommonDefUpload::Extract(const QString& archivePath, const QStringList& entries, const QString& folder)
{
    try {
        DefinitionArchive archive(archivePath);
        archive.Extract(entries, folder);
        return true;
    } catch (const NumberedError& error) {
        Show(error.Text() + " Could not extract files to " + folder);
        return false;
    }
}

bool CommonDefUpload::ReadNewKey(ado::Connection& root, Key& key)
{
    bool exists = false;
    if (!ReadKey(key) || !QueryExists(root, key, exists)) {
        Show(kUnreadableKey);
        return false;
    }
    if (exists) {
        Show("Definition already exists. Operation Aborted.");
        return false;
    }
    return true;
}

bool CommonDefUpload::ReadKey(Key& key) const
{
    const auto id = FirstField(m_workFolder + "/collector");
    const auto locale = FirstField(m_workFolder + "/locale");
    const auto version = FirstField(m_workFolder + "/version");
    if (!id || !locale || !version || !IsFolderName(*id) || !IsFolderName(*locale) || !IsFolderName(*version))
        return false;
    key = {*id, *locale, *version};
    return true;
}

bool CommonDefUpload::QueryExists(ado::Connection& root, const Key& key, bool& exists)
{
    try {
        ado::Recordset rows;
        rows.Open("Select lu_ID from K5_SERVER_LU where LU_ID = ? and LU_LOCALE_ID = ? and LU_Version = ?", root,
                  ado::CursorType::Static, ado::LockType::ReadOnly, {key.id, key.locale, key.version});
        exists = !rows.Eof();
        return true;
    } catch (const NumberedError& error) {
        m_globals.log().WriteLog("CommonDefUpload.UploadCurrentDefinition(): " + error.Text(), 0);
        return false;
    }
}

// fileIds receives the ID of every row stored, also when a later one fails.
bool CommonDefUpload::StoreFiles(const Key& key, const QString& folder, QList<qint32>& fileIds)
{
    QString id;
    if (!BLOBPutFileGetID(folder + "help.chm", key.dirname(), "help.chm", id)) {
        Show("CHM File was not uploaded to the database properly.");
        return false;
    }
    fileIds.append(id.toInt());
    if (!BLOBPutFileGetID(folder + "Browser.exe", key.dirname(), "browser.exe", id)) {
        Show("Browser File was not uploaded to the database properly. Action Aborted");
        return false;
    }
    fileIds.append(id.toInt());
    return true;
}

// The lookup row and its feature rows are stored together or not at all.
bool CommonDefUpload::InsertLookupRows(ado::Connection& root, const Key& key, qint32 chmFileId, qint32 browserFileId)
{
    DefinitionDocument definition;
    if (!definition.Load(m_workFolder + "/definition.xml")) {
        Show(kIncorrectState);
        return false;
    }
    try {
        root.BeginTrans();
        ado::SqlExecution::Run(root, kInsertServerLu,
                               key.columns() + definition.ServerLuValues(chmFileId, browserFileId));
        const QList<QVariantList> features = definition.FeatureValues();
        for (const QVariantList& feature : features)
            ado::SqlExecution::Run(root, kInsertFeature, key.columns() + feature);
        root.CommitTrans();
        return true;
    } catch (const NumberedError& error) {
        root.AbandonTrans();
        Show(error.Text() + " Could not insert recordes into k5_lu or k5_lu_f_lu.");
        return false;
    }
}

void CommonDefUpload::DeleteFileRows(ado::Connection& root, const QList<qint32>& fileIds)
{
    for (const qint32 id : fileIds) {
        try {
            ado::SqlExecution::Run(root, "delete from files where ID = ?", {id});
        } catch (const NumberedError& error) {
            m_globals.log().WriteLog("CommonDefUpload.UploadCurrentDefinition(): file row " + QString::number(id) +
                                         " stays: " + error.Text(),
                                     0);
        }
    }
}

bool CommonDefUpload::BLOBPutFile(const QString& localPath, const QString& dirname, const QString& filename,
                                  bool deleteLocalFile, qint32& id)
{
    const auto root = OpenRoot();
    if (!root || !QFileInfo(localPath).isFile())
        return false;
    try {
        id = StoreFileRow(*root, localPath, dirname.toUpper(), filename.toUpper());
    } catch (const NumberedError& error) {
        m_globals.log().WriteLog("CommonDefUpload.BLOBPutFile(): " + localPath + ": " + error.Text(), 0);
        return false;
    }
    if (deleteLocalFile)
        QFile::remove(localPath);
    return true;
}

qint32 CommonDefUpload::StoreFileRow(ado::Connection& root, const QString& localPath, const QString& dirname,
                                     const QString& filename)
{
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        throw NumberedError(75, "Path/File access error");
    const QByteArray content = file.readAll();
    // The row is found again by its folder and name: a new row's ID is not
    // known until it is read back.
    ado::Recordset row;
    row.Open("SELECT * FROM FILES WHERE DIRNAME=? AND FILENAME=?", root, ado::CursorType::Static,
             ado::LockType::Pessimistic, {dirname, filename}, {"DIRNAME", "FILENAME"});
    if (row.Eof()) {
        row.AddNew();
        row.setField("DIRNAME", dirname);
        row.setField("FILENAME", filename);
    }
    row.setField("AUDITUSER", m_globals.AuditUserName());
    row.setField("AUDITTIMESTAMP", QVariant::fromValue(m_globals.clock().now()));
    row.setField("FILEDATA", content);
    row.Update();
    // The database numbers a new row as it stores it; only a fresh read of
    // the row shows that number.
    row.Resync();
    return row.Fields("ID").toInt();
}

bool CommonDefUpload::BLOBPutFileGetID(const QString& localPath, const QString& dirname, const QString& filename,
                                       QString& id)
{
    qint32 stored = 0;
    const bool done = BLOBPutFile(localPath, dirname, filename, false, stored);
    id = done ? QString::number(stored) : QStringLiteral("-1");
    return done;
}

void CommonDefUpload::Show(const QString& text)
{
    m_globals.msgBox().QelMsgBox(text);
}
