#include "CommonFiles/defupload/DefinitionArchive.h"

#include "platform/NumberedError.h"

#include <QDir>
#include <QFile>
#include <memory>
#include <zip.h>

namespace {

[[noreturn]] void Raise(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString description = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    throw NumberedError(code, description);
}

// A definition file is far smaller than this; an entry beyond it, or one
// that packs far tighter than real files do, is an archive bomb.
constexpr zip_uint64_t kLargestEntry = 256ULL * 1024 * 1024;
constexpr zip_uint64_t kLargestRatio = 200;
constexpr zip_uint64_t kSmallEntry = 1024 * 1024;

// Closes an entry on every way out of its extraction.
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

}  // namespace

DefinitionArchive::DefinitionArchive(const QString& path)
{
    int code = ZIP_ER_OK;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!m_archive)
        Raise(code);
}

DefinitionArchive::~DefinitionArchive()
{
    zip_discard(m_archive);
}

void DefinitionArchive::Extract(const QStringList& entries, const QString& folder)
{
    if (!QDir().mkpath(folder))
        Raise(ZIP_ER_OPEN);
    for (const QString& entry : entries)
        ExtractEntry(entry, folder);
}

void DefinitionArchive::ExtractEntry(const QString& entry, const QString& folder)
{
    const zip_int64_t index = zip_name_locate(m_archive, entry.toUtf8().constData(), ZIP_FL_NOCASE | ZIP_FL_NODIR);
    if (index < 0)
        RaiseArchiveError();
    const zip_uint64_t limit = UnpackLimit(entry, static_cast<zip_uint64_t>(index));
    const std::unique_ptr<zip_file_t, EntryCloser> source(zip_fopen_index(m_archive, index, 0));
    if (!source)
        RaiseArchiveError();
    QFile target(QDir(folder).filePath(entry));
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Raise(ZIP_ER_OPEN);
    char buffer[64 * 1024];
    zip_int64_t read = 0;
    zip_uint64_t total = 0;
    while ((read = zip_fread(source.get(), buffer, sizeof buffer)) > 0) {
        // An entry that unpacks to more than its header said is cut off.
        total += static_cast<zip_uint64_t>(read);
        if (total > limit)
            RaiseTooLarge(entry, total);
        if (target.write(buffer, read) != read)
            Raise(ZIP_ER_WRITE);
    }
    if (read < 0)
        Raise(zip_error_code_zip(zip_file_get_error(source.get())));
}

// What an entry may unpack to: its stated size, if that is within the
// bounds a definition file can need.
zip_uint64_t DefinitionArchive::UnpackLimit(const QString& entry, zip_uint64_t index)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive, index, 0, &stat) != 0)
        RaiseArchiveError();
    const zip_uint64_t size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : kLargestEntry + 1;
    const zip_uint64_t packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
    if (size > kLargestEntry || (size > kSmallEntry && size / kLargestRatio > packed))
        RaiseTooLarge(entry, size);
    return size;
}

void DefinitionArchive::RaiseTooLarge(const QString& entry, zip_uint64_t size)
{
    throw NumberedError(ZIP_ER_INCONS,
                        "The entry " + entry + " would unpack to " + QString::number(size) +
                            " bytes, more than a definition file can hold; the archive is refused.");
}

void DefinitionArchive::RaiseArchiveError()
{
    Raise(zip_error_code_zip(zip_get_error(m_archive)));
}
