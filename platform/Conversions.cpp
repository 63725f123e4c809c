#include "platform/Conversions.h"

#include "platform/ado/ErrorText.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr int kSignificantDigits = 15;

[[noreturn]] void RaiseTypeMismatch()
{
    throw ado::kTypeMismatch.error();
}

[[noreturn]] void RaiseOverflow()
{
    throw ado::kOverflow.error();
}

int DigitValue(QChar c, int radix)
{
    const char16_t u = c.toLower().unicode();
    int value = radix;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    return value < radix ? value : -1;
}

// &H and &O forms hold a 32-bit integer; the top bit makes it negative.
std::optional<double> ParseRadix(QStringView digits, int radix)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : digits) {
        const int digit = DigitValue(c, radix);
        if (digit < 0)
            return std::nullopt;
        value = value * radix + digit;
        if (value > std::numeric_limits<quint32>::max())
            return std::nullopt;
    }
    return static_cast<qint32>(static_cast<quint32>(value));
}

// The number the text reads as; infinite when it is beyond a double.
std::optional<double> ParseNumber(const QString& text)
{
    static const QRegularExpression decimal(
        QStringLiteral("^[+-]?(?=\\.?[0-9])([0-9]+(,[0-9]+)*)?(\\.[0-9]*)?([eE][+-]?[0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u"&H", Qt::CaseInsensitive))
        return ParseRadix(QStringView(trimmed).mid(2), 16);
    if (trimmed.startsWith(u"&O", Qt::CaseInsensitive))
        return ParseRadix(QStringView(trimmed).mid(2), 8);
    if (!decimal.match(trimmed).hasMatch())
        return std::nullopt;
    // Out-of-range text reports failure but still yields ±infinity or zero.
    return QLocale::c().toDouble(QString(trimmed).remove(u','));
}

double RoundHalfToEven(double value)
{
    const double floor = std::floor(value);
    const double excess = value - floor;
    if (excess != 0.5)
        return excess < 0.5 ? floor : floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

template <typename Integer> Integer ToInteger(double value)
{
    const double rounded = RoundHalfToEven(value);
    if (std::isnan(rounded) || rounded < std::numeric_limits<Integer>::min() ||
        rounded > std::numeric_limits<Integer>::max())
        RaiseOverflow();
    return static_cast<Integer>(rounded);
}

// Digits without trailing zeros and the decimal exponent of the first one.
struct Significand {
    QString digits;
    int exponent;
};

Significand SignificandOf(double magnitude)
{
    const QString scientific = QString::number(magnitude, 'e', kSignificantDigits - 1);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.left(e).remove(u'.');
    while (digits.endsWith(u'0'))
        digits.chop(1);
    return {digits, scientific.mid(e + 1).toInt()};
}

QString ExponentText(const Significand& s)
{
    const QString fraction = s.digits.size() > 1 ? QStringLiteral(".") + s.digits.mid(1) : QString();
    const QString exponent = QString::number(std::abs(s.exponent)).rightJustified(2, u'0');
    return s.digits.left(1) + fraction + QLatin1String(s.exponent < 0 ? "E-" : "E+") + exponent;
}

QString PlainText(const Significand& s)
{
    if (s.exponent < 0)
        return QStringLiteral("0.") + QString(-s.exponent - 1, u'0') + s.digits;
    const QString whole = s.digits.left(s.exponent + 1).leftJustified(s.exponent + 1, u'0');
    const QString fraction = s.digits.mid(s.exponent + 1);
    return fraction.isEmpty() ? whole : whole + u'.' + fraction;
}

}  // namespace

bool Conversions::IsNumeric(const QString& text)
{
    const auto number = ParseNumber(text);
    return number && std::isfinite(*number);
}

double Conversions::ToDouble(const QString& text)
{
    const auto number = ParseNumber(text);
    if (!number)
        RaiseTypeMismatch();
    if (!std::isfinite(*number))
        RaiseOverflow();
    return *number;
}

qint16 Conversions::ToInt16(double value)
{
    return ToInteger<qint16>(value);
}

qint16 Conversions::ToInt16(const QString& text)
{
    return ToInt16(ToDouble(text));
}

qint32 Conversions::ToInt32(double value)
{
    return ToInteger<qint32>(value);
}

qint32 Conversions::ToInt32(const QString& text)
{
    return ToInt32(ToDouble(text));
}

qint32 Conversions::ClampedInt32(const QString& text, double low, double high, qint32 fallback)
{
    if (!IsNumeric(text))
        return fallback;
    return ToInt32(std::clamp(ToDouble(text), low, high));
}

bool Conversions::ToBoolean(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    return ToDouble(trimmed) != 0;
}

QString Conversions::BooleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString Conversions::NumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return QString::number(value);
    const Significand s = SignificandOf(std::abs(value));
    const bool exponentForm = s.exponent >= kSignificantDigits || s.exponent < -4;
    const QString magnitude = exponentForm ? ExponentText(s) : PlainText(s);
    return value < 0 ? u'-' + magnitude : magnitude;
}
