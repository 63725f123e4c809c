#include "CommonFiles/collector/CommonTypeVarRec.h"

#include "CommonFiles/target/VarTypeFunctions.h"
#include "platform/Conversions.h"
#include "platform/NumberedError.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/FieldValue.h"

#include <cstdlib>
#include <optional>

namespace {

// The value joined to the empty text: Null reads as "".
QString Text(const QVariant& value)
{
    return ado::FieldValue(value).toString();
}

bool IsNull(const QVariant& value)
{
    return !value.isValid() || value.isNull();
}

std::optional<double> Number(const QVariant& value)
{
    const QString text = Text(value);
    if (IsNull(value) || !Conversions::IsNumeric(text))
        return std::nullopt;
    return Conversions::ToDouble(text);
}

// Whole minutes from the zero date to the value: a time of day gives the
// minutes since midnight.
std::optional<qint32> MinutesOf(const QVariant& value)
{
    const auto date = ado::FieldValue(value).toDateTime();
    if (!date)
        return std::nullopt;
    return static_cast<qint32>(std::llabs(DateTime::Zero().minutesTo(*date)));
}

}  // namespace

void CommonTypeVarRec::setFilterValue(const QVariant& value)
{
    m_filterValue = Number(value).value_or(0.0);
}

void CommonTypeVarRec::setFilterOperand(const QVariant& value)
{
    m_filterOperand = Text(value).trimmed();
}

void CommonTypeVarRec::setFilterTag(const QVariant& value)
{
    m_filterTag = Text(value).trimmed();
}

void CommonTypeVarRec::setStartTime(const QVariant& value)
{
    const auto minutes = MinutesOf(value);
    m_startTimeMinutes = minutes && *minutes <= VarTypeFunctions::SlotLengthMinutes(m_varType) ? *minutes : 0;
}

void CommonTypeVarRec::setStopTime(const QVariant& value)
{
    const qint32 slot = VarTypeFunctions::SlotLengthMinutes(m_varType);
    const auto minutes = MinutesOf(value);
    if (!minutes) {
        m_stopTimeMinutes = slot;
        return;
    }
    const bool daily = VarTypeFunctions::IsDailyType(m_varType);
    m_stopTimeMinutes = qMin(*minutes + (daily ? 1 : 0), slot);
    // A daily window that is not kept inside its day reaches into the next.
    if (daily && m_interfaceType == 1)
        m_stopTimeMinutes += 1440;
}

void CommonTypeVarRec::setInterfaceType(const QVariant& value)
{
    m_interfaceType = Text(value).toUpper() == "SAME" ? 0 : 1;
}

void CommonTypeVarRec::setScadaFactor(const QVariant& value)
{
    const auto factor = Number(value);
    m_scadaFactor = factor && *factor != 0.0 ? *factor : 1.0;
}

void CommonTypeVarRec::setScadaStat(const QVariant& value)
{
    m_scadaStat = Text(value).toUpper();
}

void CommonTypeVarRec::setScadaTag(const QVariant& value)
{
    m_scadaTag = Text(value).trimmed();
}

void CommonTypeVarRec::setDataApproval(const QVariant& value)
{
    const QString text = Text(value);
    m_dataApproval = Conversions::IsNumeric(text) ? Conversions::ToInt32(text) : 0;
}

void CommonTypeVarRec::setDesc(const QVariant& value)
{
    m_desc = Text(value);
}

void CommonTypeVarRec::setDecPlaces(const QVariant& value)
{
    try {
        const auto places = Number(value);
        m_decPlaces = places ? Conversions::ToInt16(*places) : 5;
    } catch (const NumberedError&) {
        // A count too large for a 16-bit integer is no failure of the read:
        // like a Null it takes the stated five places.
        m_decPlaces = 5;
    }
}

void CommonTypeVarRec::setName(const QVariant& value)
{
    m_name = Text(value);
}

void CommonTypeVarRec::setUnits(const QVariant& value)
{
    m_units = Text(value);
}

void CommonTypeVarRec::setVarType(const QVariant& value)
{
    if (IsNull(value))
        throw ado::kInvalidUseOfNull.error();
    m_varType = Text(value);
}

void CommonTypeVarRec::setNumber(const QVariant& value)
{
    if (IsNull(value))
        throw ado::kInvalidUseOfNull.error();
    m_number = Conversions::ToInt32(Text(value));
}
