#pragma once

#include "CommonFiles/collector/CommonLastRun.h"
#include "CommonFiles/foundation/HashTable.h"
#include "platform/DateTime.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

class CommonGlobals;

namespace ado {
class Connection;
}

// The collector this installation is (one k5_server row), its time zone,
// and the enabled variables linked to it in every facility database, kept
// as facility key → ",id,id" and walked facility by facility. Reads give
// false on failure and never raise.
class CommonVarGatherer {
public:
    explicit CommonVarGatherer(CommonGlobals& globals);

    HashTable<QString> FacilID2FacilNameHash;
    CommonLastRun LookupLastRun;

    bool ReadAboutCollector(qint32 interface_id, ado::Connection& aRootCNN);
    bool ReadKorvelOrvex(qint32 interface_id, ado::Connection& aRootCNN);
    bool ADHOCAddVariable(const QString& facilID, qint32 VarId);
    // Whether the variable was gathered (the facility key in any case).
    bool HasVariable(const QString& facilID, qint32 VarId) const;
    void Clear();
    // Facilities whose database or variable list could not be read, by key,
    // with the reason: which of their variables are linked is not known, so
    // an import of them cannot succeed, and they keep their last-run dates.
    const QMap<QString, QString>& UnreadableFacilities() const { return m_unreadableFacilities; }
    // Records the facility as unreadable and tells so.
    void MarkUnreadable(const QString& facilityKey, const QString& reason);
    qint32 TotalFacility() const { return m_facilityVariables.Count(); }
    qint32 TotalVariable() const { return m_totalVariable; }

    void MoveFirst();
    bool EOF_Facility() const;
    bool EOF_Variable() const;
    void MoveNext_Facility();
    void MoveNext_Variable();
    QString Current_Facility() const;
    qint32 Current_Variable() const;
    // Every gathered variable as (facility key, variable id), in the order
    // the cursor walks them; the cursor itself is left where it is.
    QList<QPair<QString, qint32>> Variables() const;

    void CopyCollectorInfo(const CommonVarGatherer& other);

    const QString& CollectorName() const { return m_collectorName; }
    const QString& CollectorDescription() const { return m_collectorDescription; }
    bool CollectorEnabled() const { return m_collectorEnabled; }
    const QString& CollectorWriteAsUser() const { return m_collectorWriteAsUser; }
    const QString& CollectorChangedAuditUSer() const { return m_collectorChangedAuditUser; }
    const DateTime& CollectorChangedTimeStamp() const { return m_collectorChangedTimeStamp; }
    qint32 CollectorID() const { return m_collectorId; }
    qint32 CollectorTimeZoneID() const { return m_collectorTimeZoneId; }
    double CollectorTimeZoneOffset() const { return m_collectorTimeZoneOffset; }
    double CollectorDateAdjust() const { return m_collectorDateAdjust; }
    double InterfaceTimezoneOffset() const { return m_interfaceTimezoneOffset; }

    // This machine's offset from UTC now, in minutes, positive east.
    static qint32 LocalTimeZoneOffset();

private:
    void GatherFacilityVariables(const QString& facilityKey, qint32 interfaceId);
    static bool ListHasVariable(qint32 id, const QString& list);
    double ReadTimeZoneOffset(qint32 timeZoneId, ado::Connection& root);
    void LoadFacilityIds();
    QStringList FacilityIds(const QString& facilityKey) const;

    CommonGlobals& m_globals;
    HashTable<QString> m_facilityVariables;
    qint32 m_totalVariable = 0;
    QMap<QString, QString> m_unreadableFacilities;
    QStringList m_facilityKeys;
    qint32 m_facilityIndex = -1;
    QStringList m_currentVariableIds;
    qint32 m_variableIndex = -1;

    QString m_collectorName;
    QString m_collectorDescription;
    bool m_collectorEnabled = false;
    QString m_collectorWriteAsUser;
    QString m_collectorChangedAuditUser;
    DateTime m_collectorChangedTimeStamp;
    qint32 m_collectorId = 0;
    qint32 m_collectorTimeZoneId = 0;
    double m_collectorTimeZoneOffset = 0;
    double m_collectorDateAdjust = 0;
    double m_interfaceTimezoneOffset = 0;
};
