#pragma once

#include "CommonFiles/foundation/HashTable.h"

#include <QDomDocument>
#include <QDomElement>
#include <QHash>
#include <QString>
#include <QStringList>

class QELLoggerTXT;

// Every setting of the program: a fixed set of upper-case key paths
// ("OPTIONS\LOG_VERBOSITY") with text values, kept in one XML file. Keys are
// defined with their defaults before the file is read; the file only
// supplies values for defined keys. The settings may be stored enciphered.
// Reading and saving report failure by result and log line, never by error;
// item access to an undefined key raises error 10781.
class QELConfiguration {
public:
    QELConfiguration();

    void setPath(const QString& path) { m_path = path.trimmed(); }
    const QString& path() const { return m_path; }
    void setLogHandler(QELLoggerTXT* log) { m_log = log; }
    void setEncryptData(bool encrypt) { m_encryptData = encrypt; }
    bool EncryptData() const { return m_encryptData; }
    bool ChangeWasMade() const { return m_changeWasMade; }
    void setChangeWasMade(bool changed) { m_changeWasMade = changed; }

    // What a log shows instead of a secret.
    static inline const QString kSecretMask = QStringLiteral("********");
    // Keys whose values are passwords: never shown in a log.
    static bool IsSecretKey(const QString& key) { return key.trimmed().toUpper().endsWith("_PASSWORD"); }

    bool ItemExists(const QString& key) const;
    QString item(const QString& key) const;
    void setItem(const QString& key, const QString& value);
    // Every defined key in the order the file is written and dumped.
    QStringList Keys() const { return m_keys.Keys(); }

    bool ReadConfig();
    // Writes a new file beside the old one and puts it in place whole, so a
    // crash or a full disk leaves the old file or the new one, never a part.
    // A file that could not be deciphered when it was read is never saved
    // over: its settings would be lost for the defaults.
    bool SaveConfig();
    // The last read found an enciphered file it could not decipher; the
    // settings in use are not the file's.
    bool Undecipherable() const { return m_undecipherable; }
    // A key's value as the file holds it: as of the last read or save.
    QString StoredItem(const QString& key) const { return m_stored.value(key.toUpper()); }
    void DefineTree(const QString& key, const QString& defaultValue);
    void dumpConfiguration();

private:
    bool LoadXML(const QString& path);
    bool SaveXML(const QDomDocument& document, const QString& path);
    static bool FileExists(const QString& path);
    bool XMLtoTreeHash(QDomElement data);
    bool TreeHashToXML(QDomElement data);
    bool CreateDefaultConfigFile();
    bool EncyptTree(QDomElement& data) const;
    bool DecryptTree(QDomElement& data) const;
    bool ValidateXMLformat(const QDomElement& root, bool& undecipherable);
    void RememberStoredValues();
    QDomDocument NewDocument(QDomElement& data, QDomElement& spec) const;
    void LogFailureBlock(const QString& headline, const QString& details) const;
    void Log(const QString& text, int level) const;
    static QString ThrowIfUndefined(const HashTable<QString>& keys, const QString& key);

    HashTable<QString> m_keys;
    QString m_path;
    QELLoggerTXT* m_log = nullptr;
    QString m_passPhrase;
    bool m_encryptData = false;
    bool m_changeWasMade = false;
    bool m_undecipherable = false;
    QHash<QString, QString> m_stored;
    QDomDocument m_document;
    QDomElement m_xmlTree;
};
