#include "CommonFiles/defupload/DefinitionDocument.h"

#include <QFile>

namespace {

constexpr int kServerLuAttributes = 28;
constexpr int kFeatureAttributes = 3;
constexpr int kNumbered = 5;

// An empty text that binds as '' rather than Null.
QString NotNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QString Numbered(const QString& stem, int number)
{
    return stem + QString::number(number);
}

}  // namespace

bool DefinitionDocument::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !m_document.setContent(&file))
        return false;
    m_serverLu = m_document.elementsByTagName("k5_server_lu").item(0).toElement();
    const QDomElement featureList = m_document.elementsByTagName("k5_lu_f_lu").item(0).toElement();
    if (m_serverLu.attributes().count() != kServerLuAttributes || featureList.isNull())
        return false;
    m_features.clear();
    for (QDomElement feature = featureList.firstChildElement("feature"); !feature.isNull();
         feature = feature.nextSiblingElement("feature")) {
        if (feature.attributes().count() != kFeatureAttributes)
            return false;
        m_features.append(feature);
    }
    return true;
}

QString DefinitionDocument::Text(const QString& name) const
{
    return NotNull(m_serverLu.attribute(name));
}

// Only the exact text "true" sets a flag.
QVariant DefinitionDocument::Flag(const QString& name) const
{
    return m_serverLu.attribute(name) == QLatin1String("true") ? -1 : 0;
}

QVariant DefinitionDocument::CaptionIfPresent(const QString& name) const
{
    return m_serverLu.hasAttribute(name) ? QVariant(Text(name)) : QVariant();
}

QVariant DefinitionDocument::CaptionIfNotEmpty(const QString& name) const
{
    const QString caption = m_serverLu.attribute(name);
    return caption.isEmpty() ? QVariant() : QVariant(caption);
}

// Unlike the other flags, this one is read in any case.
QVariant DefinitionDocument::DateAdjustFlag() const
{
    return m_serverLu.attribute("COLLECTOR_DATEADJUST_IMPLEMENTED").toLower() == QLatin1String("true") ? -1 : 0;
}

QVariantList DefinitionDocument::ServerLuValues(qint32 chmFileId, qint32 browserPluginFileId) const
{
    QVariantList values{Text("QUICK_DESC"),    Text("COLLECTOR_CONTEXT"),   Text("COLLECTOR_TYPE"),
                        Text("COLLECTOR_COM"), Flag("BROWSER_IMPLEMENTED"), chmFileId};
    for (int i = 1; i <= kNumbered; ++i)
        values.append(Flag(Numbered("UD_REQ", i)));
    for (int i = 1; i <= kNumbered; ++i)
        values.append(CaptionIfPresent(Numbered("UD_CAPTION", i)));
    values << browserPluginFileId << Text("BROWSER_CHM_ARTICLE_ID");
    for (int i = 1; i <= kNumbered; ++i)
        values.append(Flag(Numbered("BROWSER_REQ", i)));
    for (int i = 1; i <= kNumbered; ++i)
        values.append(CaptionIfNotEmpty(Numbered("BROWSER_CAPTION", i)));
    values << DateAdjustFlag() << Text("COLLECTOR_DATEADJUST_CAPTION");
    return values;
}

QList<QVariantList> DefinitionDocument::FeatureValues() const
{
    QList<QVariantList> rows;
    for (const QDomElement& feature : m_features)
        rows.append({NotNull(feature.attribute("KEYVALUE")), NotNull(feature.attribute("CURVALUE")),
                     NotNull(feature.attribute("KEY_DESC"))});
    return rows;
}
