#pragma once

#include <QString>
#include <QVariant>

// One variable's definition as an import needs it, filled once from the
// facility's VARDESC row. Each setter converts the database value by its
// own rule (a Null or unreadable value falls back as stated); Number and
// VarType raise on a value that cannot be converted.
class CommonTypeVarRec {
public:
    void setFilterValue(const QVariant& value);
    void setFilterOperand(const QVariant& value);
    void setFilterTag(const QVariant& value);
    void setStartTime(const QVariant& value);
    void setStopTime(const QVariant& value);
    void setInterfaceType(const QVariant& value);
    void setDeadBand(const QVariant& value) { m_deadBand = value; }
    void setLowRangeFilter(const QVariant& value) { m_lowRangeFilter = value; }
    void setHighRangeFilter(const QVariant& value) { m_highRangeFilter = value; }
    void setScadaFactor(const QVariant& value);
    void setScadaStat(const QVariant& value);
    void setScadaTag(const QVariant& value);
    void setDataApproval(const QVariant& value);
    void setDesc(const QVariant& value);
    void setDecPlaces(const QVariant& value);
    void setName(const QVariant& value);
    void setUnits(const QVariant& value);
    void setVarType(const QVariant& value);
    void setFacilID(const QString& value) { m_facilID = value; }
    void setId(qint32 value) { m_id = value; }
    void setNumber(const QVariant& value);

    const QString& gFacilID() const { return m_facilID; }
    qint32 gID() const { return m_id; }
    qint32 gNumber() const { return m_number; }
    const QString& gName() const { return m_name; }
    const QString& gUnits() const { return m_units; }
    const QString& gVarType() const { return m_varType; }
    qint16 gDecPlaces() const { return m_decPlaces; }
    const QString& gDesc() const { return m_desc; }
    qint32 gDataApproval() const { return m_dataApproval; }
    const QString& gScadaTag() const { return m_scadaTag; }
    const QString& gScadaStat() const { return m_scadaStat; }
    double gScadaFactor() const { return m_scadaFactor; }
    const QVariant& gHighRangeFilter() const { return m_highRangeFilter; }
    const QVariant& gLowRangeFilter() const { return m_lowRangeFilter; }
    const QVariant& gDeadBand() const { return m_deadBand; }
    qint32 gInterfaceType() const { return m_interfaceType; }
    qint32 gStartTimeMinutes() const { return m_startTimeMinutes; }
    qint32 gStopTimeMinutes() const { return m_stopTimeMinutes; }
    const QString& gFilterTag() const { return m_filterTag; }
    const QString& gFilterOperand() const { return m_filterOperand; }
    double gFilterValue() const { return m_filterValue; }

private:
    QString m_facilID;
    qint32 m_id = 0;
    qint32 m_number = 0;
    QString m_name;
    QString m_units;
    QString m_varType;
    qint16 m_decPlaces = 0;
    QString m_desc;
    qint32 m_dataApproval = 0;
    QString m_scadaTag;
    QString m_scadaStat;
    double m_scadaFactor = 0;
    QVariant m_highRangeFilter;
    QVariant m_lowRangeFilter;
    QVariant m_deadBand;
    qint32 m_interfaceType = 0;
    qint32 m_startTimeMinutes = 0;
    qint32 m_stopTimeMinutes = 0;
    QString m_filterTag;
    QString m_filterOperand;
    double m_filterValue = 0;
};
