#include "CommonFiles/defupload/CommonDefUpload.h"
#include "dbsupport/TargetFixture.h"

#include "platform/ado/Recordset.h"
#include "support/DefinitionFiles.h"
#include "support/RecordingActivitySink.h"
#include "support/RecordingPresenter.h"

#include <QDir>
#include <QRegularExpression>

namespace {

using namespace DefinitionFiles;

const QString kIncorrectState = "0||Could not read XML File. K5_Server_LU file is in an incorrect state.";
const QString kUnreadableKey = "0||There was an error Reading the collector, locale, or version definition files. ";
const QString kNull = "<null>";

void Set(Attributes& attributes, const QString& name, const QString& value)
{
    for (auto& attribute : attributes)
        if (attribute.first == name)
            attribute.second = value;
}

class DefinitionUpload : public ::testing::TestWithParam<TargetKind> {
protected:
    DefinitionUpload() : f(GetParam())
    {
        f.CreateRoot();
        root = f.OpenRoot();
        f.globals().msgBox().setPresenter(&messages);
        f.globals().setActivitySink(&activity);
    }

    Entries Archive() const { return ArchiveEntries(serverLu, features); }

    bool Upload(const Entries& entries)
    {
        const QString path = f.folder().file("definition.zip");
        WriteArchive(path, entries);
        return CommonDefUpload(f.globals()).UploadCurrentDefinition(path);
    }

    // Every column of every row, Null shown as <null>.
    QList<QStringList> Rows(const QString& sql, const QVariantList& bound = {})
    {
        ado::Recordset rows;
        rows.Open(sql, *root, ado::CursorType::Static, ado::LockType::ReadOnly, bound);
        QList<QStringList> result;
        for (; !rows.Eof(); rows.MoveNext()) {
            QStringList row;
            for (int i = 0; i < rows.FieldCount(); ++i)
                row.append(rows.Fields(i).IsNull() ? kNull : rows.Fields(i).toString());
            result.append(row);
        }
        return result;
    }

    int Count(const QString& table) { return Rows("select count(*) from " + table).value(0).value(0).toInt(); }

    // Nothing of the definition was left behind.
    void ExpectNothingStored()
    {
        EXPECT_EQ(Count("FILES"), 0);
        EXPECT_EQ(Count("k5_server_lu"), 0);
        EXPECT_EQ(Count("k5_lu_f_lu"), 0);
    }

    TargetFixture f;
    std::unique_ptr<ado::Connection> root;
    RecordingPresenter messages;
    RecordingActivitySink activity;
    Attributes serverLu = CompleteServerLu();
    QList<Attributes> features{{{"KEYVALUE", "BROWSE"}, {"CURVALUE", "1"}, {"KEY_DESC", "Browsing"}},
                               {{"KEYVALUE", "DATEADJUST"}, {"CURVALUE", "0"}, {"KEY_DESC", "Date shift"}}};
};

}  // namespace

TEST_P(DefinitionUpload, PublishesBothFilesAndSaysSo)
{
    ASSERT_TRUE(Upload(Archive()));
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
    EXPECT_EQ(activity.lines.last(), "Upload Successful");
    EXPECT_FALSE(QDir(f.folder().file("temp")).exists());

    ado::Recordset files;
    files.Open("select ID, DIRNAME, FILENAME, AUDITUSER, AUDITTIMESTAMP, FILEDATA from FILES order by FILENAME", *root);
    ASSERT_EQ(files.RecordCount(), 2);
    EXPECT_EQ(files.Fields("FILENAME").toString(), "BROWSER.EXE");
    EXPECT_EQ(files.Fields("FILEDATA").toBytes(), kBrowser);
    files.MoveNext();
    EXPECT_EQ(files.Fields("DIRNAME").toString(), "58213-1033-1.0.0");
    EXPECT_EQ(files.Fields("FILENAME").toString(), "HELP.CHM");
    EXPECT_EQ(files.Fields("FILEDATA").toBytes(), kHelp);
    EXPECT_EQ(files.Fields("AUDITUSER").toString(), "VIA_R58213");
    EXPECT_EQ(files.Fields("AUDITTIMESTAMP").toDateTime()->format("yyyy-mm-dd hh:nn:ss"), "2024-03-05 14:07:09");
}

TEST_P(DefinitionUpload, PublishesTheLookupRowPointingAtBothFiles)
{
    // Only the exact "true" sets a flag, but the date-adjust flag reads any
    // case; a caption left out is Null, and with it gone a 28th attribute
    // keeps the element complete.
    Set(serverLu, "BROWSER_IMPLEMENTED", "True");
    Set(serverLu, "UD_REQ2", "false");
    Set(serverLu, "BROWSER_REQ5", "yes");
    Set(serverLu, "COLLECTOR_DATEADJUST_IMPLEMENTED", "True");
    Set(serverLu, "BROWSER_CAPTION2", "");
    Set(serverLu, "COLLECTOR_DATEADJUST_CAPTION", "");
    serverLu.removeIf([](const auto& attribute) { return attribute.first == "UD_CAPTION3"; });
    serverLu.append(Attribute{"REVISION", "7"});

    ASSERT_TRUE(Upload(Archive()));
    const QList<QStringList> ids = Rows("select ID from FILES order by FILENAME");
    const QString browserId = ids.value(0).value(0);
    const QString chmId = ids.value(1).value(0);
    const QStringList expected{"58213",
                               "1.0.0",
                               "1033",
                               "Chart recorder",
                               "DATAFILES",
                               "FILE",
                               "R58213.Collector",
                               "0",
                               chmId,
                               "-1",
                               "0",
                               "-1",
                               "-1",
                               "-1",
                               "User 1",
                               "User 2",
                               kNull,
                               "User 4",
                               "User 5",
                               browserId,
                               "browse.htm",
                               "-1",
                               "-1",
                               "-1",
                               "-1",
                               "0",
                               "Browse 1",
                               kNull,
                               "Browse 3",
                               "Browse 4",
                               "Browse 5",
                               "-1",
                               ""};
    EXPECT_EQ(Rows("select LU_ID, LU_VERSION, LU_LOCALE_ID, QUICK_DESC, COLLECTOR_CONTEXT, COLLECTOR_TYPE, "
                   "COLLECTOR_COM, BROWSER_IMPLEMENTED, CHM_FILE_ID, UD_REQ1, UD_REQ2, UD_REQ3, UD_REQ4, UD_REQ5, "
                   "UD_CAPTION1, UD_CAPTION2, UD_CAPTION3, UD_CAPTION4, UD_CAPTION5, BROWSER_PLUGIN_FILE_ID, "
                   "BROWSER_CHM_ARTICLE_ID, BROWSER_REQ1, BROWSER_REQ2, BROWSER_REQ3, BROWSER_REQ4, BROWSER_REQ5, "
                   "BROWSER_CAPTION1, BROWSER_CAPTION2, BROWSER_CAPTION3, BROWSER_CAPTION4, BROWSER_CAPTION5, "
                   "COLLECTOR_DATEADJUST_IMP, COLLECTOR_DATEADJUST_CAPTION from k5_server_lu"),
              QList<QStringList>{expected});
}

TEST_P(DefinitionUpload, PublishesTheFeatures)
{
    ASSERT_TRUE(Upload(Archive()));
    EXPECT_EQ(Rows("select LU_ID, LU_VERSION, LU_LOCALE_ID, KEYVALUE, CURVALUE, KEY_DESC from k5_lu_f_lu "
                   "order by KEYVALUE"),
              (QList<QStringList>{{"58213", "1.0.0", "1033", "BROWSE", "1", "Browsing"},
                                  {"58213", "1.0.0", "1033", "DATEADJUST", "0", "Date shift"}}));
}

TEST_P(DefinitionUpload, AnExistingDefinitionIsRefusedUntouched)
{
    f.Exec(*root, "insert into k5_server_lu (LU_ID, LU_VERSION, LU_LOCALE_ID, QUICK_DESC) values (?, ?, ?, ?)",
           {"58213", "1.0.0", "1033", "Earlier"});

    EXPECT_FALSE(Upload(Archive()));
    EXPECT_EQ(messages.shown, QStringList{"0||Definition already exists. Operation Aborted."});
    EXPECT_EQ(Count("FILES"), 0);
    EXPECT_EQ(Rows("select QUICK_DESC from k5_server_lu"), QList<QStringList>{{"Earlier"}});
    EXPECT_EQ(Count("k5_lu_f_lu"), 0);
}

TEST_P(DefinitionUpload, AMalformedDefinitionLeavesNothingBehind)
{
    const Attributes complete = serverLu;
    serverLu.removeLast();
    EXPECT_FALSE(Upload(Archive()));
    EXPECT_EQ(messages.shown.value(0), kIncorrectState);
    ExpectNothingStored();

    serverLu = complete;
    serverLu.append(Attribute{"REVISION", "7"});
    EXPECT_FALSE(Upload(Archive()));
    EXPECT_EQ(messages.shown.value(1), kIncorrectState);
    ExpectNothingStored();

    serverLu = complete;
    features.last().removeLast();
    EXPECT_FALSE(Upload(Archive()));
    EXPECT_EQ(messages.shown.value(2), kIncorrectState);
    ExpectNothingStored();

    features.clear();
    Entries notXml = Archive();
    notXml["definition.xml"] = "<definition><k5_server_lu";
    EXPECT_FALSE(Upload(notXml));
    EXPECT_EQ(messages.shown.value(3), kIncorrectState);
    ExpectNothingStored();
}

TEST_P(DefinitionUpload, ADatabaseFailureAmongTheFeaturesTakesBackTheLookupRowAndFiles)
{
    f.Exec(*root, "drop table k5_lu_f_lu");

    EXPECT_FALSE(Upload(Archive()));
    ASSERT_EQ(messages.shown.size(), 1);
    const QRegularExpression expected("^0\\|\\|-?\\d+ - .+ Could not insert recordes into k5_lu or k5_lu_f_lu\\.$",
                                      QRegularExpression::DotMatchesEverythingOption);
    EXPECT_TRUE(expected.match(messages.shown[0]).hasMatch()) << messages.shown[0].toStdString();
    EXPECT_EQ(Count("FILES"), 0);
    EXPECT_EQ(Count("k5_server_lu"), 0);
}

TEST_P(DefinitionUpload, AFailedPlugInUploadTakesBackTheHelpFile)
{
    // The target refuses the plug-in's row after the help file's was stored.
    if (GetParam() == ado::Backend::Sqlite)
        f.Exec(*root,
               "create trigger no_plugin before insert on FILES when NEW.FILENAME = 'BROWSER.EXE' "
               "begin select raise(abort, 'no plug-ins'); end");
    else
        f.Exec(*root, "alter table FILES add constraint no_plugin check (FILENAME <> 'BROWSER.EXE')");

    EXPECT_FALSE(Upload(Archive()));
    EXPECT_EQ(messages.shown, QStringList{"0||Browser File was not uploaded to the database properly. Action Aborted"});
    ExpectNothingStored();
}

TEST_P(DefinitionUpload, QuotesInValuesAreStoredVerbatim)
{
    Set(serverLu, "QUICK_DESC", "O'Brien's \"chart\"");
    features = {{{"KEYVALUE", "it's"}, {"CURVALUE", "'"}, {"KEY_DESC", "x' or '1'='1"}}};
    Entries entries = Archive();
    entries["collector"] = "58'213\r\n";

    ASSERT_TRUE(Upload(entries));
    EXPECT_EQ(Rows("select distinct DIRNAME from FILES"), QList<QStringList>{{"58'213-1033-1.0.0"}});
    EXPECT_EQ(Rows("select LU_ID, QUICK_DESC from k5_server_lu"),
              (QList<QStringList>{{"58'213", "O'Brien's \"chart\""}}));
    EXPECT_EQ(Rows("select KEYVALUE, CURVALUE, KEY_DESC from k5_lu_f_lu"),
              (QList<QStringList>{{"it's", "'", "x' or '1'='1"}}));

    EXPECT_FALSE(Upload(entries));
    EXPECT_EQ(messages.shown, QStringList{"0||Definition already exists. Operation Aborted."});
}

TEST_P(DefinitionUpload, ACancelledChoiceTouchesNothing)
{
    // The target is opened first, then the archive asked for.
    bool asked = false;
    EXPECT_FALSE(CommonDefUpload(f.globals()).UploadCurrentDefinition([&asked] {
        asked = true;
        return QString();
    }));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(activity.lines.join('\n').contains("Upload"));
    EXPECT_FALSE(QDir(f.folder().file("temp")).exists());
}

TEST_P(DefinitionUpload, ArchiveProblemsAreReportedAsExtractionErrors)
{
    const QString work = f.folder().path() + "/temp";
    Entries withoutHelp = Archive();
    withoutHelp.remove("help.chm");
    EXPECT_FALSE(Upload(withoutHelp));
    EXPECT_EQ(messages.shown.value(0), "0||9 - No such file Could not extract files to " + work + "/58213/1033/1.0.0/");

    Entries withoutLocale = Archive();
    withoutLocale.remove("locale");
    EXPECT_FALSE(Upload(withoutLocale));
    EXPECT_EQ(messages.shown.value(1), "0||9 - No such file Could not extract files to " + work);

    const QString notAnArchive = f.folder().file("notes.zip");
    TempFolder::Write(notAnArchive, "not an archive");
    EXPECT_FALSE(CommonDefUpload(f.globals()).UploadCurrentDefinition(notAnArchive));
    EXPECT_EQ(messages.shown.value(2), "0||19 - Not a zip archive Could not extract files to " + work);

    // 8 MB of zeros packs into a few kilobytes: refused before it is unpacked.
    Entries bomb = Archive();
    bomb["help.chm"] = QByteArray(8 * 1024 * 1024, '\0');
    EXPECT_FALSE(Upload(bomb));
    EXPECT_TRUE(messages.shown.value(3).startsWith(
        "0||21 - The entry help.chm would unpack to 8388608 bytes, more than a definition file can hold"))
        << messages.shown.value(3).toStdString();
    ExpectNothingStored();
    EXPECT_FALSE(QDir(work).exists());
}

TEST_P(DefinitionUpload, AKeyThatCannotBeReadIsRefused)
{
    Entries entries = Archive();
    entries["version"] = "";
    EXPECT_FALSE(Upload(entries));
    // A key part that would lead out of the work folder counts as unreadable.
    entries = Archive();
    entries["collector"] = "../../elsewhere";
    EXPECT_FALSE(Upload(entries));

    EXPECT_EQ(messages.shown, (QStringList{kUnreadableKey, kUnreadableKey}));
    EXPECT_FALSE(QDir(f.folder().file("elsewhere")).exists());
    ExpectNothingStored();
}

TEST_P(DefinitionUpload, BLOBPutFileOfAMissingFileFailsQuietly)
{
    CommonDefUpload upload(f.globals());
    const QString local = f.folder().file("chart.bin");
    QString id;
    qint32 number = 0;
    EXPECT_FALSE(upload.BLOBPutFile(local, "charts", "chart.bin", false, number));
    EXPECT_FALSE(upload.BLOBPutFileGetID(local, "charts", "chart.bin", id));
    EXPECT_EQ(id, "-1");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_P(DefinitionUpload, BLOBPutFileStoresAndReplacesAFileRow)
{
    CommonDefUpload upload(f.globals());
    const QString local = f.folder().file("chart.bin");
    QString id;
    qint32 number = 0;
    TempFolder::Write(local, kHelp);
    ASSERT_TRUE(upload.BLOBPutFileGetID(local, "charts", "chart.bin", id));
    EXPECT_EQ(Rows("select ID, DIRNAME, FILENAME from FILES"), (QList<QStringList>{{id, "CHARTS", "CHART.BIN"}}));
    EXPECT_TRUE(QFile::exists(local));

    // The same names in another case reach the same row, which keeps its ID.
    TempFolder::Write(local, kBrowser);
    f.clock().set(DateTime::FromParts(2024, 3, 6, 8, 0, 0));
    ASSERT_TRUE(upload.BLOBPutFile(local, "CHARTS", "Chart.Bin", true, number));
    EXPECT_EQ(QString::number(number), id);
    EXPECT_FALSE(QFile::exists(local));
    ado::Recordset row;
    row.Open("select ID, FILEDATA, AUDITTIMESTAMP from FILES", *root);
    ASSERT_EQ(row.RecordCount(), 1);
    EXPECT_EQ(row.Fields("ID").toString(), id);
    EXPECT_EQ(row.Fields("FILEDATA").toBytes(), kBrowser);
    EXPECT_EQ(row.Fields("AUDITTIMESTAMP").toDateTime()->format("yyyy-mm-dd hh:nn:ss"), "2024-03-06 08:00:00");

    TempFolder::Write(local, kHelp);
    QString other;
    ASSERT_TRUE(upload.BLOBPutFileGetID(local, "charts", "other.bin", other));
    EXPECT_NE(other, id);
    EXPECT_EQ(Rows("select FILENAME from FILES where ID = ?", {other.toInt()}), QList<QStringList>{{"OTHER.BIN"}});
}

TEST_P(DefinitionUpload, AnUnusableTargetTypeIsReported)
{
    f.globals().config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE", "two");
    EXPECT_FALSE(CommonDefUpload(f.globals()).UploadCurrentDefinition(f.folder().file("definition.zip")));
    EXPECT_EQ(messages.shown.value(0), "48||Unable to init Korvel Orvex Connection Manager");
}

TEST_P(DefinitionUpload, ATargetThatCannotBeReachedIsReported)
{
    QELConfiguration& config = f.globals().config();
    config.setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE", "2");
    config.setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE",
                   GetParam() == ado::Backend::Sqlite ? f.folder().file("no/such/folder") : "127.0.0.1:1");
    qint32 id = 0;
    EXPECT_FALSE(CommonDefUpload(f.globals()).BLOBPutFile(f.folder().file("r58213.xml"), "d", "f", false, id));
    EXPECT_TRUE(messages.shown.value(0).startsWith("48|Failed to connect to Korvel Orvex|Error :\r\n"))
        << messages.shown.value(0).toStdString();
}

INSTANTIATE_FOR_EVERY_TARGET(DefinitionUpload);
