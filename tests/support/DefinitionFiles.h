#pragma once

#include <QByteArray>
#include <QDomDocument>
#include <QFile>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <gtest/gtest.h>
#include <zip.h>

// Interface definition archives for the upload tests: the lookup element a
// definition ships, the definition.xml around it, the entries of a complete
// archive and the zip file that holds them.
namespace DefinitionFiles {

using Attribute = QPair<QString, QString>;
using Attributes = QList<Attribute>;
using Entries = QMap<QString, QByteArray>;

inline const QByteArray kHelp("\x00\xFFhelp\r\n\x00\x7F\x80", 11);
inline const QByteArray kBrowser("MZ\x90\x00\x03\x00\xFF\xFE", 8);

// A lookup element as a definition ships it: all 28 attributes, every flag set.
inline Attributes CompleteServerLu()
{
    Attributes lu{{"QUICK_DESC", "Chart recorder"},
                  {"COLLECTOR_CONTEXT", "DATAFILES"},
                  {"COLLECTOR_TYPE", "FILE"},
                  {"COLLECTOR_COM", "R58213.Collector"},
                  {"BROWSER_IMPLEMENTED", "true"}};
    for (int i = 1; i <= 5; ++i)
        lu.append(Attribute{"UD_REQ" + QString::number(i), "true"});
    for (int i = 1; i <= 5; ++i)
        lu.append(Attribute{"UD_CAPTION" + QString::number(i), "User " + QString::number(i)});
    lu.append(Attribute{"BROWSER_CHM_ARTICLE_ID", "browse.htm"});
    for (int i = 1; i <= 5; ++i)
        lu.append(Attribute{"BROWSER_REQ" + QString::number(i), "true"});
    for (int i = 1; i <= 5; ++i)
        lu.append(Attribute{"BROWSER_CAPTION" + QString::number(i), "Browse " + QString::number(i)});
    lu << Attribute{"COLLECTOR_DATEADJUST_IMPLEMENTED", "true"} << Attribute{"COLLECTOR_DATEADJUST_CAPTION", "Shift"};
    return lu;
}

inline QByteArray DefinitionXml(const Attributes& serverLu, const QList<Attributes>& features)
{
    QDomDocument document;
    QDomElement root = document.appendChild(document.createElement("definition")).toElement();
    QDomElement lu = root.appendChild(document.createElement("k5_server_lu")).toElement();
    for (const auto& [name, value] : serverLu)
        lu.setAttribute(name, value);
    QDomElement list = root.appendChild(document.createElement("k5_lu_f_lu")).toElement();
    for (const Attributes& attributes : features) {
        QDomElement feature = list.appendChild(document.createElement("feature")).toElement();
        for (const auto& [name, value] : attributes)
            feature.setAttribute(name, value);
    }
    return document.toByteArray();
}

inline void WriteArchive(const QString& path, const Entries& entries)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr) << error;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        zip_source_t* source = zip_source_buffer(archive, entry.value().constData(), entry.value().size(), 0);
        ASSERT_GE(zip_file_add(archive, entry.key().toUtf8().constData(), source, ZIP_FL_OVERWRITE), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

// Every file a definition archive needs, around the given definition.
inline Entries ArchiveEntries(const Attributes& serverLu, const QList<Attributes>& features)
{
    return {{"collector", "58213\r\n"}, {"locale", "\"1033\"\r\n"},
            {"version", "1.0.0"},       {"definition.xml", DefinitionXml(serverLu, features)},
            {"help.chm", kHelp},        {"Browser.exe", kBrowser}};
}

}  // namespace DefinitionFiles
