#include "platform/DateTime.h"

#include <QList>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 kSecondsPerDay = 86400;
constexpr double kMillisecondsPerDay = 86400000.0;

constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

qint64 ZeroDayJulian()
{
    static const qint64 julian = QDate(1899, 12, 30).toJulianDay();
    return julian;
}

qint64 FloorDiv(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// --- Formatting -----------------------------------------------------------

enum class Field { Literal, Day, Month, MonthOrMinute, Minute, Hour, Second, Year, AmPm };

struct Token {
    Field field = Field::Literal;
    QString text;  // as written in the pattern; its length is the width
};

struct Spelling {
    const char* text;
    Field field;
};

// Longest spelling of each letter first, so "mmmm" is not read as "mm" "mm".
constexpr Spelling kSpellings[] = {
    {"AM/PM", Field::AmPm},       {"AMPM", Field::AmPm},       {"dddd", Field::Day},   {"ddd", Field::Day},
    {"dd", Field::Day},           {"d", Field::Day},           {"mmmm", Field::Month}, {"mmm", Field::Month},
    {"mm", Field::MonthOrMinute}, {"m", Field::MonthOrMinute}, {"nn", Field::Minute},  {"n", Field::Minute},
    {"hh", Field::Hour},          {"h", Field::Hour},          {"ss", Field::Second},  {"s", Field::Second},
    {"yyyy", Field::Year},        {"yy", Field::Year},
};

Token ReadToken(QStringView rest)
{
    for (const Spelling& spelling : kSpellings) {
        const QLatin1String text(spelling.text);
        if (rest.startsWith(text, Qt::CaseInsensitive)) {
            // Upper-case M and MM always name the month.
            const bool upperM = spelling.field == Field::MonthOrMinute && rest.front() == u'M';
            return {upperM ? Field::Month : spelling.field, rest.left(text.size()).toString()};
        }
    }
    return {Field::Literal, rest.left(1).toString()};
}

QList<Token> Tokenize(const QString& pattern)
{
    QList<Token> tokens;
    for (qsizetype at = 0; at < pattern.size();) {
        Token token = ReadToken(QStringView(pattern).mid(at));
        at += token.text.size();
        if (token.field == Field::Literal && !tokens.isEmpty() && tokens.last().field == Field::Literal)
            tokens.last().text += token.text;
        else
            tokens.append(token);
    }
    return tokens;
}

Field NeighbourField(const QList<Token>& tokens, qsizetype index, qsizetype step)
{
    for (qsizetype at = index + step; at >= 0 && at < tokens.size(); at += step) {
        if (tokens[at].field != Field::Literal)
            return tokens[at].field;
    }
    return Field::Literal;
}

// m and mm are the minute right after an hour or right before a second.
void ResolveMinutes(QList<Token>& tokens)
{
    for (qsizetype at = 0; at < tokens.size(); ++at) {
        if (tokens[at].field != Field::MonthOrMinute)
            continue;
        const bool minute =
            NeighbourField(tokens, at, -1) == Field::Hour || NeighbourField(tokens, at, 1) == Field::Second;
        tokens[at].field = minute ? Field::Minute : Field::Month;
    }
}

QString Padded(int value, qsizetype width)
{
    return QString::number(value).rightJustified(width, u'0');
}

QString Name(const char* name, qsizetype width)
{
    const QString full = QString::fromLatin1(name);
    return width == 3 ? full.left(3) : full;
}

class Renderer {
public:
    Renderer(const QDate& date, const QTime& time, bool twelveHour)
        : m_date(date), m_time(time), m_twelveHour(twelveHour)
    {
    }

    QString render(const Token& token) const
    {
        const qsizetype width = token.text.size();
        switch (token.field) {
        case Field::Day:
            return width >= 3 ? Name(kDayNames[m_date.dayOfWeek() - 1], width) : Padded(m_date.day(), width);
        case Field::Month:
        case Field::MonthOrMinute:
            return width >= 3 ? Name(kMonthNames[m_date.month() - 1], width) : Padded(m_date.month(), width);
        case Field::Minute:
            return Padded(m_time.minute(), width);
        case Field::Hour:
            return Padded(hour(), width);
        case Field::Second:
            return Padded(m_time.second(), width);
        case Field::Year:
            return Padded(width == 2 ? m_date.year() % 100 : m_date.year(), width);
        case Field::AmPm:
            return amPm(token.text);
        case Field::Literal:
            break;
        }
        return token.text;
    }

private:
    int hour() const
    {
        if (!m_twelveHour)
            return m_time.hour();
        const int hour = m_time.hour() % 12;
        return hour == 0 ? 12 : hour;
    }

    // "am/pm" asks for lower case; "AMPM" and "AM/PM" give upper case.
    QString amPm(const QString& spelling) const
    {
        const QString marker = m_time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
        const bool lower = spelling.contains(u'/') && spelling.front().isLower();
        return lower ? marker.toLower() : marker;
    }

    QDate m_date;
    QTime m_time;
    bool m_twelveHour;
};

// --- Reading text ---------------------------------------------------------

struct Piece {
    enum Kind { Number, Word, Colon } kind;
    QString text;
    int value = 0;  // numbers only
};

bool IsSeparator(QChar c)
{
    return c.isSpace() || c == u'/' || c == u'-' || c == u'.' || c == u',';
}

qsizetype RunLength(QStringView text, bool (*belongs)(QChar))
{
    qsizetype length = 0;
    while (length < text.size() && belongs(text[length]))
        ++length;
    return length;
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsLetter(QChar c)
{
    return c.isLetter();
}

std::optional<QList<Piece>> SplitText(QStringView text)
{
    QList<Piece> pieces;
    for (qsizetype at = 0; at < text.size();) {
        const QStringView rest = text.mid(at);
        if (IsSeparator(rest.front())) {
            ++at;
        } else if (rest.front() == u':') {
            pieces.append({Piece::Colon, QStringLiteral(":")});
            ++at;
        } else if (const qsizetype digits = RunLength(rest, IsAsciiDigit)) {
            bool ok = false;
            const int value = rest.left(digits).toInt(&ok);
            if (!ok)
                return std::nullopt;
            pieces.append({Piece::Number, rest.left(digits).toString(), value});
            at += digits;
        } else if (const qsizetype letters = RunLength(rest, IsLetter)) {
            pieces.append({Piece::Word, rest.left(letters).toString()});
            at += letters;
        } else {
            return std::nullopt;
        }
    }
    return pieces;
}

int MonthFromName(const QString& word)
{
    for (int month = 1; month <= 12; ++month) {
        const QString name = QString::fromLatin1(kMonthNames[month - 1]);
        if (word.compare(name, Qt::CaseInsensitive) == 0 || word.compare(name.left(3), Qt::CaseInsensitive) == 0)
            return month;
    }
    return 0;
}

enum class Meridiem { None, Am, Pm };

Meridiem MeridiemOf(const Piece& piece)
{
    if (piece.kind != Piece::Word)
        return Meridiem::None;
    if (piece.text.compare(u"AM", Qt::CaseInsensitive) == 0)
        return Meridiem::Am;
    return piece.text.compare(u"PM", Qt::CaseInsensitive) == 0 ? Meridiem::Pm : Meridiem::None;
}

// Removes the one AM/PM marker; nullopt when there are two.
std::optional<Meridiem> TakeMeridiem(QList<Piece>& pieces)
{
    Meridiem found = Meridiem::None;
    for (qsizetype at = pieces.size() - 1; at >= 0; --at) {
        const Meridiem meridiem = MeridiemOf(pieces[at]);
        if (meridiem == Meridiem::None)
            continue;
        if (found != Meridiem::None)
            return std::nullopt;
        found = meridiem;
        pieces.removeAt(at);
    }
    return found;
}

std::optional<int> ClockHour(int hour, Meridiem meridiem)
{
    if (meridiem == Meridiem::None)
        return hour <= 23 ? std::optional<int>(hour) : std::nullopt;
    if (hour > 12)
        return std::nullopt;
    return hour % 12 + (meridiem == Meridiem::Pm ? 12 : 0);
}

// Removes "h:mm[:ss]" and its AM/PM marker; the second of the day, 0 if absent.
std::optional<int> TakeTimeOfDay(QList<Piece>& pieces)
{
    const auto meridiem = TakeMeridiem(pieces);
    if (!meridiem)
        return std::nullopt;
    const auto colonAt =
        std::find_if(pieces.cbegin(), pieces.cend(), [](const Piece& piece) { return piece.kind == Piece::Colon; });
    if (colonAt == pieces.cend())
        return *meridiem == Meridiem::None ? std::optional<int>(0) : std::nullopt;
    const qsizetype colon = colonAt - pieces.cbegin();
    if (colon == 0 || pieces[colon - 1].kind != Piece::Number)
        return std::nullopt;

    QList<int> parts{pieces[colon - 1].value};
    qsizetype end = colon;
    while (parts.size() < 3 && end + 1 < pieces.size() && pieces[end].kind == Piece::Colon &&
           pieces[end + 1].kind == Piece::Number) {
        parts.append(pieces[end + 1].value);
        end += 2;
    }
    if (parts.size() < 2)
        return std::nullopt;
    pieces.remove(colon - 1, end - colon + 1);
    parts.resize(3);

    const auto hour = ClockHour(parts[0], *meridiem);
    if (!hour || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return *hour * 3600 + parts[1] * 60 + parts[2];
}

int FullYear(const Piece& number)
{
    if (number.text.size() > 2)
        return number.value;
    return number.value < 30 ? 2000 + number.value : 1900 + number.value;
}

// Year first when the first number has more than two digits.
std::optional<QDate> DateFromNumbers(const QList<Piece>& numbers, int monthByName)
{
    const bool yearFirst = numbers.front().text.size() > 2;
    if (monthByName != 0) {
        if (numbers.size() != 2)
            return std::nullopt;
        const Piece& year = yearFirst ? numbers[0] : numbers[1];
        const Piece& day = yearFirst ? numbers[1] : numbers[0];
        return QDate(FullYear(year), monthByName, day.value);
    }
    if (numbers.size() != 3)
        return std::nullopt;
    if (yearFirst)
        return QDate(FullYear(numbers[0]), numbers[1].value, numbers[2].value);
    int month = numbers[0].value;
    int day = numbers[1].value;
    if (month > 12 && day <= 12)
        std::swap(month, day);
    return QDate(FullYear(numbers[2]), month, day);
}

// The day number of what is left after the time; 0 when nothing is left.
std::optional<qint64> DayFromPieces(const QList<Piece>& pieces)
{
    QList<Piece> numbers;
    int monthByName = 0;
    for (const Piece& piece : pieces) {
        if (piece.kind == Piece::Number) {
            numbers.append(piece);
            continue;
        }
        const int month = piece.kind == Piece::Word ? MonthFromName(piece.text) : 0;
        if (month == 0 || monthByName != 0)
            return std::nullopt;
        monthByName = month;
    }
    if (numbers.isEmpty())
        return monthByName == 0 ? std::optional<qint64>(0) : std::nullopt;
    const auto date = DateFromNumbers(numbers, monthByName);
    if (!date || !date->isValid())
        return std::nullopt;
    return date->toJulianDay() - ZeroDayJulian();
}

}  // namespace

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second)
{
    // Months and days beyond their range carry over, as a date built from parts does.
    const QDate date = QDate(year, 1, 1).addMonths(month - 1).addDays(day - 1);
    const qint64 dayNumber = date.toJulianDay() - ZeroDayJulian();
    return FromSeconds(dayNumber * kSecondsPerDay + hour * 3600LL + minute * 60LL + second);
}

DateTime DateTime::FromQDateTime(const QDate& date, const QTime& time)
{
    return FromDayAndFraction(date.toJulianDay() - ZeroDayJulian(), time.msecsSinceStartOfDay() / kMillisecondsPerDay);
}

std::optional<DateTime> DateTime::FromText(const QString& text)
{
    auto pieces = SplitText(QStringView(text).trimmed());
    if (!pieces || pieces->isEmpty())
        return std::nullopt;
    const auto second = TakeTimeOfDay(*pieces);
    if (!second)
        return std::nullopt;
    const auto day = DayFromPieces(*pieces);
    if (!day)
        return std::nullopt;
    return FromSeconds(*day * kSecondsPerDay + *second);
}

qint64 DateTime::roundedSeconds() const
{
    const double whole = std::trunc(m_days);
    const double fraction = std::abs(m_days - whole);
    return static_cast<qint64>(whole) * kSecondsPerDay + std::llround(fraction * kSecondsPerDay);
}

qint64 DateTime::dayNumber() const
{
    return FloorDiv(roundedSeconds(), kSecondsPerDay);
}

int DateTime::secondOfDay() const
{
    return static_cast<int>(roundedSeconds() - dayNumber() * kSecondsPerDay);
}

DateTime DateTime::FromSeconds(qint64 seconds)
{
    const qint64 day = FloorDiv(seconds, kSecondsPerDay);
    return FromDayAndFraction(day, double(seconds - day * kSecondsPerDay) / kSecondsPerDay);
}

DateTime DateTime::FromDayAndFraction(qint64 day, double fraction)
{
    return DateTime(day < 0 ? double(day) - fraction : double(day) + fraction);
}

int DateTime::year() const
{
    return date().year();
}

int DateTime::month() const
{
    return date().month();
}

int DateTime::day() const
{
    return date().day();
}

int DateTime::hour() const
{
    return secondOfDay() / 3600;
}

int DateTime::minute() const
{
    return secondOfDay() / 60 % 60;
}

int DateTime::second() const
{
    return secondOfDay() % 60;
}

QDate DateTime::date() const
{
    return QDate::fromJulianDay(ZeroDayJulian() + dayNumber());
}

QTime DateTime::time() const
{
    return QTime::fromMSecsSinceStartOfDay(secondOfDay() * 1000);
}

DateTime DateTime::datePart() const
{
    return FromSeconds(dayNumber() * kSecondsPerDay);
}

DateTime DateTime::addDays(int days) const
{
    return addSeconds(days * kSecondsPerDay);
}

DateTime DateTime::addMonths(int months) const
{
    const QDate moved = date().addMonths(months);
    return FromParts(moved.year(), moved.month(), moved.day(), hour(), minute(), second());
}

DateTime DateTime::addMinutes(qint64 minutes) const
{
    return addSeconds(minutes * 60);
}

DateTime DateTime::addSeconds(qint64 seconds) const
{
    return FromSeconds(roundedSeconds() + seconds);
}

qint64 DateTime::minutesTo(const DateTime& other) const
{
    return FloorDiv(other.roundedSeconds(), 60) - FloorDiv(roundedSeconds(), 60);
}

qint64 DateTime::secondsTo(const DateTime& other) const
{
    return other.roundedSeconds() - roundedSeconds();
}

QString DateTime::format(const QString& pattern) const
{
    QList<Token> tokens = Tokenize(pattern);
    ResolveMinutes(tokens);
    const bool twelveHour =
        std::any_of(tokens.cbegin(), tokens.cend(), [](const Token& token) { return token.field == Field::AmPm; });
    const Renderer renderer(date(), time(), twelveHour);
    QString text;
    for (const Token& token : tokens)
        text += renderer.render(token);
    return text;
}

QString DateTime::shortDate() const
{
    return format(QStringLiteral("M/d/yyyy"));
}

QString DateTime::generalDate() const
{
    const bool showDate = dayNumber() != 0;
    const bool showTime = secondOfDay() != 0 || !showDate;
    QStringList parts;
    if (showDate)
        parts.append(shortDate());
    if (showTime)
        parts.append(format(QStringLiteral("h:nn:ss AMPM")));
    return parts.join(u' ');
}
