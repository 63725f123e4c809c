#include "CommonFiles/foundation/QELConfiguration.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "platform/XmlSubtreeCipher.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kRootTag = QStringLiteral("qelconfigurationxml");
const QString kSpecText = QStringLiteral("KB10781: configuration file of the R58213 data-collector interface");
const QString kSeparator = QStringLiteral(">>>") + QString(62, '-');

// A key's value is the element's own text, not that of its children.
QString ownText(const QDomElement& element)
{
    QString text;
    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
        if (child.isText() || child.isCDATASection())
            text += child.nodeValue();
    return text;
}

// The element a key path names, or a null element when the document lacks
// any element on the way.
QDomElement existingElement(QDomElement element, const QString& key)
{
    const QStringList components = key.split('\\');
    for (const QString& tag : components) {
        if (element.isNull())
            break;
        element = element.firstChildElement(tag);
    }
    return element;
}

// Walks the element for each component of a key, creating what is missing.
QDomElement createdElement(QDomElement element, const QString& key)
{
    const QStringList components = key.split('\\');
    for (const QString& tag : components) {
        QDomElement child = element.firstChildElement(tag);
        if (child.isNull()) {
            child = element.ownerDocument().createElement(tag);
            element.appendChild(child);
        }
        element = child;
    }
    return element;
}

// A value of blanks only would be dropped as mere layout when the file is
// read again; as character data it stays what it is.
QDomNode TextNode(QDomDocument document, const QString& value)
{
    if (value.trimmed().isEmpty())
        return document.createCDATASection(value);
    return document.createTextNode(value);
}

// Saved by root (through sudo, say) into a folder that belongs to the
// service's user, the file goes to that user: a root-owned replacement
// would leave the service unable to read its own configuration.
bool KeptWithFolderOwner(const QSaveFile& file, const QString& path)
{
    struct stat folder {};
    if (::geteuid() != 0 || ::stat(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &folder) != 0 ||
        folder.st_uid == 0)
        return true;
    return ::fchown(file.handle(), folder.st_uid, folder.st_gid) == 0;
}

}  // namespace

QELConfiguration::QELConfiguration()
{
    m_keys.SetSize(4096, 2048, 1024);
    // The pass phrase is assembled here so that it never stands whole in the
    // program's data.
    const QChar pieces[] = {'K', '7', 'q', 'e', '-', 'R', '2', 'x', 'W', 'm'};
    for (const QChar piece : pieces)
        m_passPhrase.append(piece);
}

bool QELConfiguration::ItemExists(const QString& key) const
{
    return !key.isEmpty() && m_keys.Exists(key);
}

QString QELConfiguration::ThrowIfUndefined(const HashTable<QString>& keys, const QString& key)
{
    const QString upper = key.toUpper();
    if (upper.isEmpty() || !keys.Exists(upper))
        throw NumberedError(10781, "Key does not exist in TreeHash (KB10781): " + upper);
    return upper;
}

QString QELConfiguration::item(const QString& key) const
{
    return m_keys.Item(ThrowIfUndefined(m_keys, key));
}

void QELConfiguration::setItem(const QString& key, const QString& value)
{
    m_keys.setItem(ThrowIfUndefined(m_keys, key), value);
    m_changeWasMade = true;
}

void QELConfiguration::DefineTree(const QString& key, const QString& defaultValue)
{
    const QString k = key.trimmed().toUpper();
    if (!m_keys.Exists(k))
        m_keys.Add(k, defaultValue);
}

bool QELConfiguration::ReadConfig()
{
    if (!FileExists(m_path)) {
        Log("Configuration file does not exist at " + m_path, 0);
        Log("Attempting to create a default configuration file...", 0);
        if (!CreateDefaultConfigFile()) {
            Log("Unable to create default configuration file in QELConfiguration.ReadConfig().", 0);
            return false;
        }
        Log("Default configuration file successfully created.", 0);
    }
    m_document = QDomDocument();
    if (!LoadXML(m_path)) {
        Log("LoadXML() failed in QELConfiguration.ReadConfig().", 0);
        return false;
    }
    bool undecipherable = false;
    if (!ValidateXMLformat(m_document.documentElement(), undecipherable)) {
        Log("ValidateXMLFormat failed in QELConfiguration.ReadConfig().", 0);
        return false;
    }
    m_xmlTree = m_document.documentElement().firstChildElement("data");
    if (!XMLtoTreeHash(m_xmlTree)) {
        Log("XMLtoTreeHash() failed in QELConfiguration.ReadConfig().", 0);
        return false;
    }
    m_undecipherable = undecipherable;
    m_changeWasMade = false;
    RememberStoredValues();
    return true;
}

void QELConfiguration::RememberStoredValues()
{
    m_stored.clear();
    const QStringList keys = m_keys.Keys();
    for (const QString& key : keys)
        m_stored.insert(key, m_keys.Item(key));
}

bool QELConfiguration::SaveConfig()
{
    if (m_undecipherable) {
        Log("The configuration file " + m_path +
                " could not be deciphered when it was read; it is not saved over, so that its settings are kept.",
            0);
        m_changeWasMade = false;
        return false;
    }
    QDomElement data;
    QDomElement spec;
    QDomDocument document = NewDocument(data, spec);
    if (!TreeHashToXML(data))
        return false;
    // A value holding a control character would make a file that no later
    // start could read: it is refused, and the file stays as it was.
    if (!QDomDocument().setContent(document.toByteArray())) {
        Log("Unable to save the configuration to " + m_path +
                ": a value holds a control character, which the file cannot keep; the file is left as it was.",
            0);
        return false;
    }
    if (m_encryptData) {
        if (EncyptTree(data)) {
            spec.setAttribute("encrypted", "True");
        } else {
            Log("EncyptTree() failed in QELConfiguration.SaveConfig(). Will have to save without requested encyption.",
                2);
            spec.setAttribute("encrypted", "False");
        }
    }
    const bool saved = SaveXML(document, m_path);
    m_changeWasMade = false;
    if (saved)
        RememberStoredValues();
    return saved;
}

QDomDocument QELConfiguration::NewDocument(QDomElement& data, QDomElement& spec) const
{
    QDomDocument document;
    document.appendChild(document.createProcessingInstruction("xml", "version=\"1.0\" encoding=\"UTF-8\""));
    QDomElement root = document.createElement(kRootTag);
    document.appendChild(root);
    spec = document.createElement("spec");
    spec.appendChild(document.createTextNode(kSpecText));
    spec.setAttribute("version", "1");
    spec.setAttribute("encrypted", "False");
    data = document.createElement("data");
    root.appendChild(spec);
    root.appendChild(data);
    return document;
}

bool QELConfiguration::CreateDefaultConfigFile()
{
    QDomElement data;
    QDomElement spec;
    QDomDocument document = NewDocument(data, spec);
    if (!TreeHashToXML(data))
        return false;
    return SaveXML(document, m_path);
}

bool QELConfiguration::FileExists(const QString& path)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return false;
    const QFileInfo info(trimmed);
    return info.exists() && info.isFile() && !info.isHidden();
}

bool QELConfiguration::LoadXML(const QString& path)
{
    QFile file(path);
    QString details;
    if (!file.open(QIODevice::ReadOnly)) {
        details = file.errorString();
    } else {
        QString message;
        int line = 0;
        int column = 0;
        if (m_document.setContent(&file, &message, &line, &column))
            return true;
        details = QString("%1 (line %2, column %3)").arg(message).arg(line).arg(column);
    }
    LogFailureBlock("DocumentRoot.LoadXmlFile returned 0 in QELConfiguration.LoadXML()", details);
    return false;
}

bool QELConfiguration::SaveXML(const QDomDocument& document, const QString& path)
{
    QSaveFile file(path);
    // The file holds the configuration password: only its owner may read it.
    const QByteArray content = document.toByteArray(2);
    // flush() as well: a write cut short by the disk shows there, and only
    // a file written whole may replace the old one.
    if (file.open(QIODevice::WriteOnly) && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
        KeptWithFolderOwner(file, path) && file.write(content) == content.size() && file.flush() && file.commit())
        return true;
    const QString reason = file.errorString();
    LogFailureBlock("XMLTree.SaveXML returned 0 in QELConfiguration.SaveXML()", reason);
    Log("Unable to save the configuration to " + path + ": " + reason, 0);
    return false;
}

bool QELConfiguration::ValidateXMLformat(const QDomElement& root, bool& undecipherable)
{
    if (root.tagName() != kRootTag)
        return false;
    const QDomElement spec = root.firstChildElement("spec");
    QDomElement data = root.firstChildElement("data");
    if (spec.isNull() || data.isNull())
        return false;
    if (!spec.hasAttribute("version") || spec.attribute("version") != "1")
        return false;
    undecipherable = spec.attribute("encrypted") == "True" && !DecryptTree(data);
    if (undecipherable)
        Log("Failed to decrypt XML data in QELConfiguration.ValidateXMLformat()", 0);
    return true;
}

bool QELConfiguration::XMLtoTreeHash(QDomElement data)
{
    const QStringList keys = m_keys.Keys();
    // Only keys the file holds take its value; a key it lacks (or a
    // document that could not be deciphered) keeps the value it has.
    for (const QString& key : keys) {
        const QDomElement element = existingElement(data, key);
        if (!element.isNull())
            m_keys.setItem(key, ownText(element));
    }
    return true;
}

bool QELConfiguration::TreeHashToXML(QDomElement data)
{
    const QStringList keys = m_keys.Keys();
    for (const QString& key : keys) {
        const QString value = m_keys.Item(key);
        QDomElement element = createdElement(data, key);
        if (!value.isEmpty())
            element.appendChild(TextNode(data.ownerDocument(), value));
    }
    return true;
}

bool QELConfiguration::EncyptTree(QDomElement& data) const
{
    return XmlSubtreeCipher::Encipher(data, m_passPhrase);
}

bool QELConfiguration::DecryptTree(QDomElement& data) const
{
    return XmlSubtreeCipher::Decipher(data, m_passPhrase);
}

void QELConfiguration::dumpConfiguration()
{
    if (!m_log || m_log->Verbosity() <= 1)
        return;
    Log(kSeparator, 2);
    Log("Configuration Settings :", 2);
    const QStringList keys = m_keys.Keys();
    for (const QString& key : keys)
        Log(key + " : " + (IsSecretKey(key) ? kSecretMask : m_keys.Item(key)), 2);
    Log(kSeparator, 2);
}

void QELConfiguration::LogFailureBlock(const QString& headline, const QString& details) const
{
    Log(kSeparator, 2);
    Log(headline, 2);
    Log("    Details:", 2);
    Log(details, 2);
    Log(kSeparator, 2);
}

void QELConfiguration::Log(const QString& text, int level) const
{
    if (m_log)
        m_log->WriteLog(text, level);
}
