#include "CommonFiles/target/ProcedureOutputs.h"

#include "platform/ado/FieldValue.h"
#include "platform/ado/Parameter.h"

bool ProcedureOutputs::IsNull(const ado::Parameter& parameter)
{
    return parameter.IsNull();
}

QString ProcedureOutputs::Text(const ado::Parameter& parameter)
{
    return ado::FieldValue(parameter.Value()).toString().trimmed();
}

DateTime ProcedureOutputs::DateOrZero(const ado::Parameter& parameter)
{
    return ado::FieldValue(parameter.Value()).toDateTime().value_or(DateTime::Zero());
}

double ProcedureOutputs::Number(const ado::Parameter& parameter)
{
    return ado::FieldValue(parameter.Value()).toDouble();
}

double ProcedureOutputs::NumberOrZero(const ado::Parameter& parameter)
{
    return IsNull(parameter) ? 0.0 : Number(parameter);
}

std::optional<qint32> ProcedureOutputs::IntegerOrNull(const ado::Parameter& parameter)
{
    return IsNull(parameter) ? std::nullopt : std::optional<qint32>(Integer(parameter));
}

qint32 ProcedureOutputs::Integer(const ado::Parameter& parameter)
{
    return ado::FieldValue(parameter.Value()).toInt();
}
