#include "CommonFiles/target/AdditionalInfoMap.h"

#include "CommonFiles/foundation/QELConfiguration.h"
#include "CommonFiles/target/CommonAINFOnavigator.h"

#include <QSet>

QList<AdditionalInfoMap::Row> AdditionalInfoMap::Read(const QELConfiguration& config)
{
    QList<Row> rows;
    for (int n = 1; n <= CommonAINFOnavigator::kMapRows; ++n)
        rows.append({config.item(CommonAINFOnavigator::MapRowKey(n, "ENABLED")) == "TRUE",
                     config.item(CommonAINFOnavigator::MapRowKey(n, "TARGETID")),
                     config.item(CommonAINFOnavigator::MapRowKey(n, "SOURCEID"))});
    return rows;
}

void AdditionalInfoMap::Store(QELConfiguration& config, const QList<Row>& rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        config.setItem(CommonAINFOnavigator::MapRowKey(n, "ENABLED"), rows[i].enabled ? "TRUE" : "FALSE");
        config.setItem(CommonAINFOnavigator::MapRowKey(n, "TARGETID"), rows[i].targetId.trimmed());
        config.setItem(CommonAINFOnavigator::MapRowKey(n, "SOURCEID"), rows[i].sourceId.trimmed());
    }
}

QString AdditionalInfoMap::Refusal(const QList<Row>& rows)
{
    QSet<QString> targets;
    bool duplicate = false;
    for (const Row& row : rows) {
        if (!row.enabled)
            continue;
        const QString target = row.targetId.trimmed().toUpper();
        if (target.isEmpty() || row.sourceId.trimmed().isEmpty())
            return QStringLiteral("VALIDATION ERROR : Empty Fields detected");
        duplicate = duplicate || targets.contains(target);
        targets.insert(target);
    }
    return duplicate ? QStringLiteral("VALIDATION ERROR : Duplicate Entries detected") : QString();
}
