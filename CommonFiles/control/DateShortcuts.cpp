#include "CommonFiles/control/DateShortcuts.h"

#include <QList>
#include <functional>

namespace {

// The truncations of "now" that the ranges are counted from.
struct Moments {
    explicit Moments(const DateTime& now)
        : day(now.datePart()),
          hour(day.addMinutes(now.hour() * 60)),
          minute(hour.addMinutes(now.minute())),
          month(DateTime::FromParts(now.year(), now.month(), 1)),
          quarter(month.addMonths(-((now.month() - 1) % 3))),
          year(DateTime::FromParts(now.year(), 1, 1))
    {
    }
    DateTime day;
    DateTime hour;
    DateTime minute;
    DateTime month;  // the first of now's month
    DateTime quarter;  // the first day of now's quarter
    DateTime year;  // 1 January of now's year
};

using Bounds = DateShortcuts::Bounds;

struct Shortcut {
    QString name;
    std::function<Bounds(const Moments&)> range;
};

Shortcut LastDays(int days)
{
    return {"LAST " + QString::number(days) + " DAYS", [days](const Moments& m) {
                return Bounds{m.day.addDays(-days), m.day};
            }};
}

Shortcut DaysAgo(int days, int ago)
{
    return {QString::number(days) + " DAYS " + QString::number(ago) + " DAYS AGO", [days, ago](const Moments& m) {
                return Bounds{m.day.addDays(-days - ago), m.day.addDays(-ago)};
            }};
}

// The quarter that ended last is cut at its last day's midnight, so that
// day itself is left out unless the person moves the end.
Bounds LastQuarter(const Moments& m)
{
    const DateTime start = m.quarter.addMonths(-3);
    return {start, start.addMonths(3).addDays(-1)};
}

QList<Shortcut> BuildShortcuts()
{
    QList<Shortcut> shortcuts{
        {"LAST HOUR",
         [](const Moments& m) {
             return Bounds{m.hour.addMinutes(-60), m.hour};
         }},
        {"TODAY",
         [](const Moments& m) {
             return Bounds{m.day, m.minute};
         }},
        {"YESTERDAY",
         [](const Moments& m) {
             return Bounds{m.day.addDays(-1), m.day};
         }},
        {"YESTERDAY AND TODAY",
         [](const Moments& m) {
             return Bounds{m.day.addDays(-1), m.minute};
         }},
        LastDays(7),
        {"LAST MONTH",
         [](const Moments& m) {
             return Bounds{m.month.addMonths(-1), m.month};
         }},
        {"MONTH TO DATE",
         [](const Moments& m) {
             return Bounds{m.month, m.day};
         }},
        {"LAST QUATER", LastQuarter},
        {"QUATER TO DATE",
         [](const Moments& m) {
             return Bounds{m.quarter, m.day};
         }},
        {"LAST YEAR",
         [](const Moments& m) {
             return Bounds{m.year.addMonths(-12), m.year};
         }},
        {"YEAR TO DATE",
         [](const Moments& m) {
             return Bounds{m.year, m.day};
         }},
    };
    const QList<int> spans{30, 45, 60, 90, 120, 180};
    for (int days : spans)
        shortcuts.append(LastDays(days));
    for (int days : spans)
        for (int ago : {3, 5, 7})
            shortcuts.append(DaysAgo(days, ago));
    shortcuts.append({"ALL", [](const Moments& m) { return Bounds{DateTime::FromParts(1970, 1, 1), m.minute}; }});
    return shortcuts;
}

const QList<Shortcut>& Shortcuts()
{
    static const QList<Shortcut> shortcuts = BuildShortcuts();
    return shortcuts;
}

}  // namespace

QStringList DateShortcuts::Names()
{
    QStringList names;
    for (const Shortcut& shortcut : Shortcuts())
        names.append(shortcut.name);
    return names;
}

std::optional<DateShortcuts::Bounds> DateShortcuts::Range(const QString& name, const DateTime& now)
{
    const QString wanted = name.toUpper().replace(QStringLiteral("QUARTER"), QStringLiteral("QUATER"));
    for (const Shortcut& shortcut : Shortcuts()) {
        if (shortcut.name == wanted)
            return shortcut.range(Moments(now));
    }
    return std::nullopt;
}
