#include "CommonFiles/foundation/QELConfiguration.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "support/Printers.h"
#include "support/TestLog.h"

#include <QDir>
#include <QDomDocument>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString kSchedule = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE");
const QString kVerbosity = QStringLiteral("OPTIONS\\LOG_VERBOSITY");
const QString kPrefix = QStringLiteral("SOURCE\\PREFIX");
const QString kSeparator = QStringLiteral(">>>") + QString(62, '-');

void defineKeys(QELConfiguration& config)
{
    config.DefineTree("OPTIONS", "");
    config.DefineTree(kSchedule, "DAILY");
    config.DefineTree(kVerbosity, "0");
    config.DefineTree(kPrefix, "ALOG0");
}

// A configuration at <temp>/config.xml logging every level to <temp>/log.
struct ConfigSetup : TestLog {
    QELConfiguration config;

    ConfigSetup() : TestLog(2)
    {
        config.setLogHandler(&log);
        config.setPath(file());
        defineKeys(config);
    }
    QString file() const { return folder.file("config.xml"); }
    QStringList logLines() const { return lines(); }
};

// A second configuration with the same keys, reading what the first saved.
QELConfiguration rereadFrom(const QString& path)
{
    QELConfiguration reread;
    defineKeys(reread);
    reread.setPath(path);
    EXPECT_TRUE(reread.ReadConfig());
    return reread;
}

QByteArray plainFile(const QByteArray& spec, const QByteArray& data)
{
    return "<?xml version=\"1.0\"?>\n<qelconfigurationxml>" + spec + data + "</qelconfigurationxml>\n";
}

const QByteArray kPlainSpec = "<spec version=\"1\" encrypted=\"False\"/>";
const QByteArray kEncipheredSpec = "<spec version=\"1\" encrypted=\"True\"/>";

QDomElement elementAt(const QDomDocument& document, const QString& key)
{
    QDomElement element = document.documentElement().firstChildElement("data");
    for (const QString& tag : key.split('\\'))
        element = element.firstChildElement(tag);
    return element;
}

QDomDocument parse(const QString& path)
{
    QDomDocument document;
    document.setContent(TempFolder::Read(path));
    return document;
}

// Enciphered data this configuration cannot read: its own, tampered with,
// and another program's.
void MakeUndecipherableBodies(QStringList& bodies)
{
    ConfigSetup writer;
    writer.config.setEncryptData(true);
    writer.config.setItem(kPrefix, "FROMFILE");
    ASSERT_TRUE(writer.config.SaveConfig());
    const QString cipher = parse(writer.file()).documentElement().firstChildElement("data").text().trimmed();
    ASSERT_GT(cipher.size(), 40);
    QString tampered = cipher;
    const qsizetype middle = tampered.size() / 2;
    tampered[middle] = tampered[middle] == 'A' ? 'B' : 'A';
    bodies = {tampered, QString("Zm9yZWlnbiB0ZXh0IHRoYXQgaXMgbm90IG91cnM=")};
}

void WriteEnciphered(const ConfigSetup& s, const QString& body)
{
    TempFolder::Write(s.file(), plainFile(kEncipheredSpec, "<data>" + body.toUtf8() + "</data>"));
}

}  // namespace

TEST(QELConfiguration, KeysAreDefinedOnceAndReachedInUpperCase)
{
    QELConfiguration config;
    config.DefineTree("  options\\automated_import\\schedule ", "daily");
    config.DefineTree(kSchedule, "weekly");
    EXPECT_EQ(config.Keys(), QStringList{kSchedule});
    EXPECT_EQ(config.item("Options\\Automated_Import\\Schedule"), "daily");
    EXPECT_FALSE(config.ChangeWasMade());

    config.setItem("options\\automated_import\\schedule", "hourly");
    EXPECT_TRUE(config.ChangeWasMade());
    config.DefineTree(kSchedule, "weekly");
    EXPECT_EQ(config.item(kSchedule), "hourly");

    config.DefineTree("OPTIONS", "");
    EXPECT_TRUE(config.ItemExists("OPTIONS"));
    EXPECT_FALSE(config.ItemExists("options"));
    EXPECT_FALSE(config.ItemExists(""));
}

TEST(QELConfiguration, UndefinedKeyRaises10781AndChangesNothing)
{
    QELConfiguration config;
    defineKeys(config);
    const QStringList keys = config.Keys();
    try {
        config.item("options\\missing");
        ADD_FAILURE() << "no error raised";
    } catch (const NumberedError& e) {
        EXPECT_EQ(e.number(), 10781);
        EXPECT_EQ(e.description(), "Key does not exist in TreeHash (KB10781): OPTIONS\\MISSING");
    }
    try {
        config.setItem("nope", "x");
        ADD_FAILURE() << "no error raised";
    } catch (const NumberedError& e) {
        EXPECT_EQ(e.number(), 10781);
        EXPECT_EQ(e.description(), "Key does not exist in TreeHash (KB10781): NOPE");
    }
    EXPECT_EQ(config.Keys(), keys);
    EXPECT_FALSE(config.ItemExists("NOPE"));
    EXPECT_FALSE(config.ChangeWasMade());
}

TEST(QELConfiguration, MissingFileIsCreatedFromTheDefaultsAndRead)
{
    ConfigSetup s;
    s.config.setChangeWasMade(true);
    ASSERT_TRUE(s.config.ReadConfig());
    EXPECT_FALSE(s.config.ChangeWasMade());
    EXPECT_EQ(s.logLines(),
              (QStringList{"Configuration file does not exist at " + s.file(),
                           "Attempting to create a default configuration file...",
                           "Default configuration file successfully created."}));

    const QDomDocument document = parse(s.file());
    const QDomElement root = document.documentElement();
    EXPECT_EQ(root.tagName(), "qelconfigurationxml");
    const QDomElement spec = root.firstChildElement("spec");
    EXPECT_EQ(spec.attribute("version"), "1");
    EXPECT_EQ(spec.attribute("encrypted"), "False");
    EXPECT_EQ(elementAt(document, kSchedule).text(), "DAILY");
    EXPECT_EQ(elementAt(document, kVerbosity).text(), "0");
    EXPECT_EQ(elementAt(document, kPrefix).text(), "ALOG0");
    EXPECT_EQ(s.config.item(kSchedule), "DAILY");
    EXPECT_EQ(s.config.item("OPTIONS"), "");
}

TEST(QELConfiguration, FileValuesReplaceDefaultsAndSavingCompletesTheFile)
{
    ConfigSetup s;
    TempFolder::Write(s.file(),
                      plainFile(kPlainSpec,
                                "<data><OPTIONS><AUTOMATED_IMPORT><SCHEDULE>HOURLY</SCHEDULE>"
                                "</AUTOMATED_IMPORT><STRAY>1</STRAY></OPTIONS>"
                                "<UNKNOWN>x</UNKNOWN></data>"));
    ASSERT_TRUE(s.config.ReadConfig());
    EXPECT_EQ(s.config.item(kSchedule), "HOURLY");
    EXPECT_EQ(s.config.item(kVerbosity), "0");
    EXPECT_EQ(s.config.item(kPrefix), "ALOG0");
    EXPECT_FALSE(s.config.ItemExists("UNKNOWN"));

    s.config.setItem(kVerbosity, "2");
    s.config.setItem(kPrefix, "A&B<C>\"D' \u00e9");
    ASSERT_TRUE(s.config.SaveConfig());
    EXPECT_FALSE(s.config.ChangeWasMade());
    const QString text = TempFolder::Read(s.file());
    EXPECT_FALSE(text.contains("STRAY"));
    EXPECT_FALSE(text.contains("UNKNOWN"));

    const QELConfiguration reread = rereadFrom(s.file());
    EXPECT_EQ(reread.item(kSchedule), "HOURLY");
    EXPECT_EQ(reread.item(kVerbosity), "2");
    EXPECT_EQ(reread.item(kPrefix), "A&B<C>\"D' \u00e9");
    EXPECT_EQ(reread.item("OPTIONS"), "");  // layout white space is no value
}

TEST(QELConfiguration, RejectedFilesLeaveEveryValueUnchanged)
{
    const QByteArray data = "<data><SOURCE><PREFIX>CHANGED</PREFIX></SOURCE></data>";
    const struct {
        QByteArray content;
        QString logLine;
    } cases[] = {
        {"this is not xml <", "LoadXML() failed in QELConfiguration.ReadConfig()."},
        {"<?xml version=\"1.0\"?><otherroot>" + kPlainSpec + data + "</otherroot>",
         "ValidateXMLFormat failed in QELConfiguration.ReadConfig()."},
        {plainFile("", data), "ValidateXMLFormat failed in QELConfiguration.ReadConfig()."},
        {plainFile(kPlainSpec, ""), "ValidateXMLFormat failed in QELConfiguration.ReadConfig()."},
        {plainFile("<spec version=\"2\" encrypted=\"False\"/>", data),
         "ValidateXMLFormat failed in QELConfiguration.ReadConfig()."},
        {plainFile("<spec encrypted=\"False\"/>", data), "ValidateXMLFormat failed in QELConfiguration.ReadConfig()."},
    };
    for (const auto& c : cases) {
        ConfigSetup s;
        s.config.setItem(kPrefix, "CURRENT");
        TempFolder::Write(s.file(), c.content);
        EXPECT_FALSE(s.config.ReadConfig()) << c.content.constData();
        EXPECT_EQ(s.config.item(kPrefix), "CURRENT") << c.content.constData();
        EXPECT_EQ(s.config.item(kSchedule), "DAILY") << c.content.constData();
        EXPECT_TRUE(s.logLines().contains(c.logLine)) << c.content.constData();
    }
}

TEST(QELConfiguration, AFileThatIsNoXmlIsLoggedWithTheParsersDetails)
{
    ConfigSetup s;
    TempFolder::Write(s.file(), "this is not xml <");
    EXPECT_FALSE(s.config.ReadConfig());
    const QStringList lines = s.logLines();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], kSeparator);
    EXPECT_EQ(lines[1], "DocumentRoot.LoadXmlFile returned 0 in QELConfiguration.LoadXML()");
    EXPECT_EQ(lines[2], "    Details:");
    EXPECT_FALSE(lines[3].isEmpty());
    EXPECT_EQ(lines[4], kSeparator);
    EXPECT_EQ(lines[5], "LoadXML() failed in QELConfiguration.ReadConfig().");
}

TEST(QELConfiguration, LowerCaseEncryptedFalseIsReadAsPlain)
{
    ConfigSetup s;
    TempFolder::Write(
        s.file(),
        plainFile("<spec version=\"1\" encrypted=\"false\"/>", "<data><SOURCE><PREFIX>BLOG1</PREFIX></SOURCE></data>"));
    ASSERT_TRUE(s.config.ReadConfig());
    EXPECT_EQ(s.config.item(kPrefix), "BLOG1");
    EXPECT_TRUE(s.logLines().isEmpty());
}

TEST(QELConfiguration, EncryptedSaveHidesKeysAndValuesAndReadsBack)
{
    ConfigSetup s;
    s.config.setEncryptData(true);
    s.config.setItem(kSchedule, "EVERY_TUESDAY");
    s.config.setItem(kPrefix, "SECRETPREFIX");
    ASSERT_TRUE(s.config.SaveConfig());

    const QString text = TempFolder::Read(s.file());
    const QDomDocument document = parse(s.file());
    EXPECT_EQ(document.documentElement().firstChildElement("spec").attribute("encrypted"), "True");
    const QDomElement data = document.documentElement().firstChildElement("data");
    EXPECT_TRUE(data.firstChildElement().isNull());
    const QStringList hidden{"OPTIONS",       "SCHEDULE",     "SOURCE", "PREFIX",
                             "EVERY_TUESDAY", "SECRETPREFIX", "ALOG0",  "DAILY"};
    for (const QString& word : hidden)
        EXPECT_FALSE(text.contains(word, Qt::CaseInsensitive)) << word.toStdString();

    const QELConfiguration reread = rereadFrom(s.file());
    EXPECT_EQ(reread.item(kSchedule), "EVERY_TUESDAY");
    EXPECT_EQ(reread.item(kPrefix), "SECRETPREFIX");
    EXPECT_EQ(reread.item(kVerbosity), "0");
}

TEST(QELConfiguration, UndecipherableDataIsLoggedAndEveryValueKept)
{
    QStringList bodies;
    ASSERT_NO_FATAL_FAILURE(MakeUndecipherableBodies(bodies));
    for (const QString& body : bodies) {
        ConfigSetup s;
        s.config.setItem(kSchedule, "CURRENT");
        WriteEnciphered(s, body);
        EXPECT_TRUE(s.config.ReadConfig());
        EXPECT_TRUE(s.logLines().contains("Failed to decrypt XML data in QELConfiguration.ValidateXMLformat()"));
        EXPECT_EQ(s.config.item(kSchedule), "CURRENT");
        EXPECT_EQ(s.config.item(kPrefix), "ALOG0");
        EXPECT_EQ(s.config.item(kVerbosity), "0");
    }
}

// The settings in use are not the file's: saving them would lose it.
TEST(QELConfiguration, UndecipherableDataIsNeverSavedOver)
{
    QStringList bodies;
    ASSERT_NO_FATAL_FAILURE(MakeUndecipherableBodies(bodies));
    for (const QString& body : bodies) {
        ConfigSetup s;
        WriteEnciphered(s, body);
        s.config.ReadConfig();
        EXPECT_TRUE(s.config.Undecipherable());
        const QString before = TempFolder::Read(s.file());
        s.config.setItem(kPrefix, "DEFAULTS");
        EXPECT_FALSE(s.config.SaveConfig());
        EXPECT_EQ(TempFolder::Read(s.file()), before);
    }
}

TEST(QELConfiguration, ASaveThatCannotBeWrittenLeavesTheOldFileWhole)
{
    ConfigSetup s;
    const QString kept = "KEPT" + QString(2000, 'x');
    s.config.setItem(kPrefix, kept);
    ASSERT_TRUE(s.config.SaveConfig());
    const QString before = TempFolder::Read(s.file());
    // A real write failure: no file of the process may grow beyond 1500
    // bytes, which leaves room for the log but not for the configuration.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit previous {};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    struct rlimit small = previous;
    small.rlim_cur = 1500;
    ::setrlimit(RLIMIT_FSIZE, &small);
    s.config.setItem(kPrefix, "LOST" + QString(2000, 'x'));
    const bool saved = s.config.SaveConfig();
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(TempFolder::Read(s.file()), before);
    EXPECT_EQ(rereadFrom(s.file()).item(kPrefix), kept);
    EXPECT_EQ(QDir(s.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"config.xml"});
    EXPECT_EQ(s.logLines().filter("Unable to save the configuration to " + s.file() + ": ").size(), 1);
}

TEST(QELConfiguration, TheFileIsReadableByItsOwnerOnly)
{
    ConfigSetup s;
    const mode_t previous = ::umask(0);
    const bool saved = s.config.SaveConfig();
    ::umask(previous);
    ASSERT_TRUE(saved);
    struct stat status {};
    ASSERT_EQ(::stat(qPrintable(s.file()), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST(QELConfiguration, ValuesOfBlanksOnlySurviveASaveAndARead)
{
    for (const bool enciphered : {false, true}) {
        ConfigSetup s;
        s.config.setEncryptData(enciphered);
        s.config.setItem(kPrefix, "   ");
        s.config.setItem(kSchedule, " \t ");
        ASSERT_TRUE(s.config.SaveConfig());
        const QELConfiguration reread = rereadFrom(s.file());
        EXPECT_EQ(reread.item(kPrefix), "   ") << enciphered;
        EXPECT_EQ(reread.item(kSchedule), " \t ") << enciphered;
    }
}

TEST(QELConfiguration, FailedSaveReturnsFalseAndClearsTheChangeMark)
{
    ConfigSetup s;
    s.config.setPath(s.folder.path() + "/no_such_folder/config.xml");
    s.config.setItem(kPrefix, "X");
    EXPECT_FALSE(s.config.SaveConfig());
    EXPECT_FALSE(s.config.ChangeWasMade());
    EXPECT_FALSE(QDir(s.folder.path() + "/no_such_folder").exists());
}

TEST(QELConfiguration, DumpListsEveryKeyOnlyAtVerbosityTwo)
{
    ConfigSetup s;
    s.config.setItem(kSchedule, "WEEKLY");
    s.log.setVerbosity(1);
    s.config.dumpConfiguration();
    s.log.setVerbosity(0);
    s.config.dumpConfiguration();
    s.log.WriteLog("marker", 0);
    EXPECT_EQ(s.logLines(), QStringList{"marker"});

    s.log.setVerbosity(2);
    s.config.dumpConfiguration();
    // Every key with its value, in the order the keys are enumerated.
    const QStringList expected{"marker",
                               kSeparator,
                               "Configuration Settings :",
                               "OPTIONS\\LOG_VERBOSITY : 0",
                               "OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE : WEEKLY",
                               "OPTIONS : ",
                               "SOURCE\\PREFIX : ALOG0",
                               kSeparator};
    EXPECT_EQ(s.logLines(), expected);
}

// Fault: a key that is also the parent of other keys loses its value when its
// element is missing from the file (or the data cannot be deciphered), if one
// of its children is enumerated first: reading that child creates the parent
// element, so the parent then counts as present with empty text.
TEST(QELConfiguration, ParentKeyMissingFromTheFileKeepsItsValue)
{
    for (const QByteArray& body : {QByteArray("<data/>"), QByteArray("<data>bm90IG91ciBjaXBoZXI=</data>")}) {
        ConfigSetup s;
        ASSERT_LT(s.config.Keys().indexOf(kVerbosity), s.config.Keys().indexOf("OPTIONS"));
        s.config.setItem("OPTIONS", "PARENT");
        const QByteArray spec = body == "<data/>" ? kPlainSpec : kEncipheredSpec;
        TempFolder::Write(s.file(), plainFile(spec, body));
        EXPECT_TRUE(s.config.ReadConfig());
        EXPECT_EQ(s.config.item(kVerbosity), "0");
        EXPECT_EQ(s.config.item("OPTIONS"), "PARENT") << body.constData();
    }
}
