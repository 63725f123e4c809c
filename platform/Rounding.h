#pragma once

// Rounding as the data logger's values have always been rounded before they
// are written: on the decimal form of a value, not on its binary one.
class Rounding {
public:
    // Half away from zero, on the value's 15-significant-digit decimal form,
    // so 12.345 to 2 places is 12.35; the value unchanged where the scaled
    // number is out of range.
    static double RoundTo(double value, int digits);
};
