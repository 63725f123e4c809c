#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QString>
#include <QVariantList>

// The definition.xml of a definition archive: the attributes of its
// k5_server_lu element and of the feature elements under k5_lu_f_lu, turned
// into the values of the lookup row and of the feature rows in the target's
// column order, without the key columns, which the archive names elsewhere.
// Flags become -1 or 0; captions left out become Null.
class DefinitionDocument {
public:
    // False when the file is not XML, the lookup element does not carry
    // exactly its 28 attributes, the feature list is missing, or a feature
    // does not carry exactly its three attributes.
    bool Load(const QString& path);

    // From QUICK_DESC to COLLECTOR_DATEADJUST_CAPTION.
    QVariantList ServerLuValues(qint32 chmFileId, qint32 browserPluginFileId) const;
    // KEYVALUE, CURVALUE, KEY_DESC of every feature, in document order.
    QList<QVariantList> FeatureValues() const;

private:
    QString Text(const QString& name) const;
    QVariant Flag(const QString& name) const;
    QVariant CaptionIfPresent(const QString& name) const;
    QVariant CaptionIfNotEmpty(const QString& name) const;
    QVariant DateAdjustFlag() const;

    QDomDocument m_document;
    QDomElement m_serverLu;
    QList<QDomElement> m_features;
};
