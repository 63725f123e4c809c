#pragma once

#include <QString>
#include <QtGlobal>

// Conversions of text and numbers as the program's rules state them, with
// the fixed US-English number format ('.' decimal mark, ',' grouping).
// Failures raise NumberedError: 13 "Type mismatch" for text that is not a
// number or boolean, 6 "Overflow" for a value outside the target type.
class Conversions {
public:
    // Whether the text reads as a number: surrounding blanks, a sign, digits
    // with optional ',' grouping, a '.' fraction, an exponent, or &H / &O
    // hexadecimal and octal forms. Empty text is not numeric.
    static bool IsNumeric(const QString& text);
    static double ToDouble(const QString& text);
    // Round half to even, then range-check.
    static qint16 ToInt16(double value);
    static qint16 ToInt16(const QString& text);
    static qint32 ToInt32(double value);
    static qint32 ToInt32(const QString& text);
    // A stored setting as a whole number: a numeric text is clamped into
    // [low, high] before it is converted, so no text can overflow; any
    // other text gives fallback.
    static qint32 ClampedInt32(const QString& text, double low, double high, qint32 fallback);
    // "True"/"False" in any letter case, or a number (zero is false).
    static bool ToBoolean(const QString& text);
    static QString BooleanText(bool value);
    // Up to 15 significant digits, '.' as decimal mark, exponent form
    // ("1E+15", "1E-05") outside 1E-04 ... 1E+15.
    static QString NumberText(double value);
};
