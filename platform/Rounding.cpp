#include "platform/Rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The largest magnitude the runtime's decimal type holds; a scaled value
// beyond it cannot be rounded.
constexpr double kDecimalMax = 7.9228162514264337593543950335e28;
constexpr int kDecimalMaxScale = 28;

// The value's 15 significant digits as an integer and the power of ten that
// scales it back: |value| == mantissa * 10^exponent at that precision.
void decimalDigits(double magnitude, long long* mantissa, int* exponent)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", magnitude);  // "d.dddddddddddddde+XX"
    const char* exponentMark = std::strchr(text, 'e');
    long long digits = text[0] - '0';
    for (const char* c = text + 2; c < exponentMark; ++c)
        digits = digits * 10 + (*c - '0');
    *mantissa = digits;
    *exponent = std::atoi(exponentMark + 1) - 14;
}

long long powerOfTen(int n)
{
    long long p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

}  // namespace

double Rounding::RoundTo(double value, int digits)
{
    if (!std::isfinite(value) || value == 0.0 || std::abs(digits) > kDecimalMaxScale)
        return value;
    const double magnitude = std::fabs(value);
    if (magnitude >= kDecimalMax || magnitude * std::pow(10.0, digits) >= kDecimalMax)
        return value;
    long long mantissa = 0;
    int exponent = 0;
    decimalDigits(magnitude, &mantissa, &exponent);
    const int scaledExponent = exponent + digits;
    long long units = 0;  // the rounded magnitude in steps of 10^-digits
    int unitExponent = -digits;
    if (scaledExponent >= 0) {
        // Already whole at this scale: nothing to round.
        units = mantissa;
        unitExponent = exponent;
    } else if (-scaledExponent <= 15) {
        const long long divisor = powerOfTen(-scaledExponent);
        units = mantissa / divisor + ((mantissa % divisor) * 2 >= divisor ? 1 : 0);
    }
    char text[48];
    std::snprintf(text, sizeof text, "%llde%d", units, unitExponent);
    const double rounded = std::strtod(text, nullptr);
    return value < 0 ? -rounded : rounded;
}
