#include "CommonFiles/target/CommonUnitConvert.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "platform/Conversions.h"
#include "platform/NumberedError.h"

namespace Keys = ConfigurationKeyNames;

namespace {

constexpr int kRows = 100;

struct DefaultConversion {
    const char* from;
    const char* factor;
    const char* to;
};

const DefaultConversion kDefaults[] = {
    {"ng/l", "0.000001", "mg/l"},     {"mcg/l", "0.001", "mg/l"},       {"ug/l", "0.001", "mg/l"},
    {"\u00b5g/l", "0.001", "mg/l"},   {"mg/l", "1000", "mcg/l"},        {"mg/l", "1000", "ug/l"},
    {"mg/l", "1000", "\u00b5g/l"},    {"mcg/kg", "0.001", "mg/kg"},     {"ug/kg", "0.001", "mg/kg"},
    {"\u00b5g/kg", "0.001", "mg/kg"}, {"mg/kg", "1000", "mcg/kg"},      {"mg/kg", "1000", "mcg/kg"},
    {"mg/kg", "1000", "ug/kg"},       {"mg/kg", "1000", "\u00b5g/kg"},  {"ppb", "0.001", "ppm"},
    {"ppm", "1000", "ppb"},           {"cfu/1ml", "0.01", "cfu/100ml"}, {"cfu/100ml", "100", "cfu/1ml"},
    {"degf", "-1", "degc"},           {"deg.f", "-1", "degc"},          {"degreesf", "-1", "degc"},
    {"degreef", "-1", "degc"},        {"degreef.", "-1", "degc"},       {"degc", "-2", "degf"},
    {"deg.c", "-2", "degf"},          {"degreesc", "-2", "degf"},       {"degreec", "-2", "degf"},
    {"degreec.", "-2", "degf"},
};

QString RowKey(int n, const char* field)
{
    return Keys::Target::kUnitConvertRowPrefix + QString::number(n) + "\\" + field;
}

QString Number(double value)
{
    return Conversions::NumberText(value);
}

}  // namespace

void CommonUnitConvert::DefineTree()
{
    QELConfiguration& config = m_globals.config();
    config.DefineTree(Keys::Target::kUnitConvertEnabled, "TRUE");
    const int defaults = static_cast<int>(std::size(kDefaults));
    for (int n = 1; n <= kRows; ++n) {
        const bool known = n <= defaults;
        config.DefineTree(RowKey(n, "ENABLED"), known ? "TRUE" : "FALSE");
        config.DefineTree(RowKey(n, "FROMUNIT"), known ? QString::fromUtf8(kDefaults[n - 1].from) : QString());
        config.DefineTree(RowKey(n, "FACTOR"), known ? kDefaults[n - 1].factor : "1");
        config.DefineTree(RowKey(n, "TOUNIT"), known ? QString::fromUtf8(kDefaults[n - 1].to) : QString());
    }
}

void CommonUnitConvert::Init()
{
    QELConfiguration& config = m_globals.config();
    if (config.item(Keys::Target::kUnitConvertEnabled) != "TRUE")
        return;
    for (int n = 1; n <= kRows; ++n) {
        if (config.item(RowKey(n, "ENABLED")) != "TRUE")
            continue;
        const QString factor = config.item(RowKey(n, "FACTOR"));
        AddConversion(config.item(RowKey(n, "FROMUNIT")), config.item(RowKey(n, "TOUNIT")),
                      Conversions::IsNumeric(factor) ? Conversions::ToDouble(factor) : 1.0);
    }
    m_active = true;
}

QString CommonUnitConvert::NormaliseUnit(const QString& unit)
{
    return unit.toLower().remove(' ');
}

bool CommonUnitConvert::ConvertTemperature(double code, double& value)
{
    if (code == -2) {
        value = value * 1.8 + 32;
        return true;
    }
    if (code == -1) {
        value = (value - 32) / 1.8;
        return true;
    }
    return false;
}

void CommonUnitConvert::AddConversion(const QString& from, const QString& to, double factor)
{
    try {
        const QString source = NormaliseUnit(from);
        const QString target = NormaliseUnit(to);
        auto inner = m_conversions.Item(target);
        if (!inner)
            inner = std::make_shared<HashTable<double>>();
        if (inner->Exists(source))
            return;
        double probe = 0;
        if (factor < 0 && !ConvertTemperature(factor, probe))
            return;
        inner->Add(source, factor);
        m_conversions.setItem(target, inner);
        m_globals.log().WriteLog("UnitConverter : Added '" + source + " -> " + Number(factor) + " -> " + target +
                                     "' as a valid conversion.",
                                 6);
    } catch (const NumberedError& error) {
        // A row that cannot be added is skipped.
        m_globals.log().WriteClearedError("CommonUnitConvert.AddConversion", error);
    }
}

double CommonUnitConvert::GetConvertedResult(double value, const QString& sourceUNIT, const QString& qelsqlUNIT)
{
    if (!m_active)
        return value;
    try {
        const QString source = NormaliseUnit(sourceUNIT);
        const QString target = NormaliseUnit(qelsqlUNIT);
        if (source.isEmpty() || target.isEmpty() || source == target)
            return value;
        const auto inner = m_conversions.Item(target);
        if (!inner || !inner->Exists(source))
            return value;
        const double factor = inner->Item(source);
        double result = value;
        if (factor >= 0)
            result = value * factor;
        else if (!ConvertTemperature(factor, result))
            return value;
        m_globals.log().WriteLog("UnitConverter: Converted " + Number(value) + " [" + source + "] to " +
                                     Number(result) + " [" + target + "]",
                                 5);
        return result;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonUnitConvert.GetConvertedResult", error);
        return value;
    }
}
