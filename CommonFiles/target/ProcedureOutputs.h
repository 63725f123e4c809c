#pragma once

#include "platform/DateTime.h"

#include <QString>

namespace ado {
class Parameter;
}

// How the data-access classes read a procedure's output parameters: text
// trimmed with Null as empty, dates with Null as the zero date, numbers
// that must be there (a Null raises "Type mismatch") or may be missing.
class ProcedureOutputs {
public:
    static bool IsNull(const ado::Parameter& parameter);
    static QString Text(const ado::Parameter& parameter);
    static DateTime DateOrZero(const ado::Parameter& parameter);
    static double Number(const ado::Parameter& parameter);
    static double NumberOrZero(const ado::Parameter& parameter);
    static qint32 Integer(const ado::Parameter& parameter);
    // False when the output is Null; otherwise true, and target (if given)
    // receives the number.
    static bool IntegerIfPresent(const ado::Parameter& parameter, qint32* target);
};
