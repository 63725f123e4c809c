#include "fuzz/FuzzTargets.h"

#include "CommonFiles/control/ConfigurationKeys.h"
#include "CommonFiles/defupload/DefinitionArchive.h"
#include "CommonFiles/defupload/DefinitionDocument.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "platform/NumberedError.h"
#include "source/CustomConfiguration.h"
#include "source/CustomSource.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const DateTime kDay = DateTime::FromParts(2024, 3, 7);

QString ScratchFolder()
{
    static const QTemporaryDir folder((QFileInfo("/dev/shm").isWritable() ? "/dev/shm" : QDir::tempPath()) +
                                      "/r58213-fuzz-XXXXXX");
    return folder.path();
}

QString ScratchFile(const QString& name)
{
    return ScratchFolder() + "/" + name;
}

QByteArray Bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

// The mode byte and the input after it.
bool OddMode(const QByteArray& input)
{
    return !input.isEmpty() && (input[0] & 1);
}

bool SettingsMode(const QByteArray& input)
{
    return input.startsWith('S');
}

void DefineKeys(QELConfiguration& config)
{
    ConfigurationKeys::DefineStartupKeys(config, kDay, "r58213");
    CustomConfiguration::DefineSourceKeys(config);
}

void ReadEveryItem(const QELConfiguration& config)
{
    const QStringList keys = config.Keys();
    for (const QString& key : keys)
        config.item(key);
}

// A configuration at path with the program's keys, read from the file.
bool ReadConfiguration(QELConfiguration& config, const QString& path)
{
    config.setPath(path);
    DefineKeys(config);
    const bool read = config.ReadConfig();
    ReadEveryItem(config);
    return read;
}

// The program's globals, read day files from the scratch folder: made
// once, as a process makes them once.
struct SourceSetting {
    FakeClock clock{kDay};
    CommonGlobals globals{clock, ScratchFolder(), "r58213"};

    SourceSetting()
    {
        DefineKeys(globals.config());
        globals.config().setItem(CustomConfiguration::kPathKey, ScratchFolder());
    }
};

void ReadDefinitionXml(const QString& path)
{
    DefinitionDocument document;
    if (!document.Load(path))
        return;
    document.ServerLuValues(1, 2);
    document.FeatureValues();
}

}  // namespace

void FuzzTargets::DayFile(const std::uint8_t* data, std::size_t size)
{
    static SourceSetting setting;
    const QByteArray input = Bytes(data, size);
    const qsizetype lineEnd = input.indexOf('\n');
    WriteFile(ScratchFile("ALOG007.CSV"), lineEnd < 0 ? QByteArray() : input.mid(lineEnd + 1));
    CustomSource source(setting.globals);
    source.setSourceStatistic("LOOKUP");
    source.setSourceTag(QString::fromLatin1(input.left(lineEnd)));
    source.setStartdate(kDay.addMinutes(60));
    source.setEnddate(kDay.addMinutes(120));
    source.Validate();
    bool unreadable = false;
    source.GetDoubleResult(unreadable);
    source.LogCustomSourceQuery();
}

void FuzzTargets::Configuration(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = Bytes(data, size);
    const QString path = ScratchFile("r58213.xml");
    QFile::remove(path);
    QELConfiguration written;
    if (!SettingsMode(input)) {
        WriteFile(path, input.mid(1));
        ReadConfiguration(written, path);
        return;
    }
    written.setPath(path);
    DefineKeys(written);
    const QStringList keys = written.Keys();
    const QList<QByteArray> values = input.mid(1).split('\n');
    for (qsizetype i = 0; i < values.size() && i < keys.size(); ++i)
        written.setItem(keys[i], QString::fromLatin1(values[i]));
    written.setEncryptData(true);
    if (!written.SaveConfig())
        return;
    QELConfiguration read;
    ReadConfiguration(read, path);
}

void FuzzTargets::Definition(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = Bytes(data, size);
    const QString folder = ScratchFile("definition");
    QDir(folder).removeRecursively();
    if (OddMode(input)) {
        QDir().mkpath(folder);
        WriteFile(folder + "/definition.xml", input.mid(1));
        ReadDefinitionXml(folder + "/definition.xml");
        return;
    }
    const QString archivePath = ScratchFile("definition.zip");
    WriteFile(archivePath, input.mid(1));
    try {
        DefinitionArchive archive(archivePath);
        archive.Extract({"collector", "definition.xml", "locale", "version"}, folder);
    } catch (const NumberedError&) {
        return;  // how the archive reader refuses a damaged archive
    }
    ReadDefinitionXml(folder + "/definition.xml");
}
