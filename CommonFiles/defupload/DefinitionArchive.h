#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

struct zip;

// A definition archive opened for reading. Named entries are copied out
// flat into a folder: an entry is found by its file name alone, in any case
// and in any folder of the archive, and written under the name asked for.
// Every failure raises NumberedError with the archive library's error number
// and description. An entry that would unpack beyond what a definition file
// can need (256 MB, or 200 times its packed size) is refused before a byte is
// written.
class DefinitionArchive {
public:
    explicit DefinitionArchive(const QString& path);
    ~DefinitionArchive();
    DefinitionArchive(const DefinitionArchive&) = delete;
    DefinitionArchive& operator=(const DefinitionArchive&) = delete;

    // Creates the folder when needed; files already there are replaced.
    void Extract(const QStringList& entries, const QString& folder);

private:
    void ExtractEntry(const QString& entry, const QString& folder);
    std::uint64_t UnpackLimit(const QString& entry, std::uint64_t index);
    [[noreturn]] static void RaiseTooLarge(const QString& entry, std::uint64_t size);
    [[noreturn]] void RaiseArchiveError();

    zip* m_archive = nullptr;
};
