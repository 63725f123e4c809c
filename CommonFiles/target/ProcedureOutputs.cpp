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

bool ProcedureOutputs::IntegerIfPresent(const ado::Parameter& parameter, qint32* target)
{
    if (IsNull(parameter))
        return false;
    if (target)
        *target = Integer(parameter);
    return true;
}

qint32 ProcedureOutputs::Integer(const ado::Parameter& parameter)
{
    return ado::FieldValue(parameter.Value()).toInt();
}
