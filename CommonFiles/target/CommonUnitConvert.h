#pragma once

#include "CommonFiles/foundation/HashTable.h"

#include <QString>
#include <memory>

class CommonGlobals;

// Converts a value from the unit a source delivers to the unit of the
// target variable, by the conversions kept under TARGET\UNITCONVERT: a
// factor, or -1 (Fahrenheit to Celsius) or -2 (Celsius to Fahrenheit).
// Unit names compare without case and spaces. A conversion that cannot be
// made returns the value unchanged; nothing is raised.
class CommonUnitConvert {
public:
    explicit CommonUnitConvert(CommonGlobals& globals) : m_globals(globals) {}

    void DefineTree();
    void Init();
    double GetConvertedResult(double value, const QString& sourceUNIT, const QString& qelsqlUNIT);

private:
    static QString NormaliseUnit(const QString& unit);
    void AddConversion(const QString& from, const QString& to, double factor);
    static bool ConvertTemperature(double code, double& value);

    CommonGlobals& m_globals;
    bool m_active = false;
    HashTable<std::shared_ptr<HashTable<double>>> m_conversions;
};
