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
    const zip_int64_t index =
        zip_name_locate(m_archive, entry.toUtf8().constData(), ZIP_FL_NOCASE | ZIP_FL_NODIR);
    if (index < 0)
        RaiseArchiveError();
    const std::unique_ptr<zip_file_t, EntryCloser> source(zip_fopen_index(m_archive, index, 0));
    if (!source)
        RaiseArchiveError();
    QFile target(QDir(folder).filePath(entry));
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Raise(ZIP_ER_OPEN);
    char buffer[64 * 1024];
    zip_int64_t read = 0;
    while ((read = zip_fread(source.get(), buffer, sizeof buffer)) > 0)
        if (target.write(buffer, read) != read)
            Raise(ZIP_ER_WRITE);
    if (read < 0)
        Raise(zip_error_code_zip(zip_file_get_error(source.get())));
}

void DefinitionArchive::RaiseArchiveError()
{
    Raise(zip_error_code_zip(zip_get_error(m_archive)));
}
