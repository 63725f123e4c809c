#pragma once

#include <QDate>
#include <QMetaType>
#include <QString>
#include <QTime>
#include <optional>

// A naive local date and time counted in days since 30 December 1899 00:00:
// the whole-day part is the date, the fraction the time of day. It never
// passes through UTC, so slot arithmetic is the same on daylight-saving days.
// Negative values keep the day in the whole part and the time in the
// magnitude of the fraction (-1.25 is 29 December 1899 06:00).
class DateTime {
public:
    DateTime() = default;
    explicit DateTime(double days) : m_days(days) {}

    static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static DateTime FromQDateTime(const QDate& date, const QTime& time);
    static DateTime Zero() { return DateTime(0.0); }

    // Text to date as the fixed US-English locale reads it: month first
    // ("03-05-2024 14:07:09", "3/5/2024 2:07:09 PM"), year first
    // ("2024-03-05 14:07[:09]"), month names ("05-Mar-2024"), date or time
    // alone. Two-digit years 00-29 are 2000-2029, 30-99 are 1930-1999.
    static std::optional<DateTime> FromText(const QString& text);

    double days() const { return m_days; }

    // Calendar parts, the time rounded to the nearest second (23:59:59.6 is
    // the next day's 00:00:00), as every displayed date is.
    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;
    QDate date() const;
    QTime time() const;

    DateTime datePart() const;  // midnight of the same day
    DateTime addDays(int days) const;
    // The same time of day a number of calendar months away; a day the
    // target month lacks becomes its last day (31 January + 1 is 29 February).
    DateTime addMonths(int months) const;
    DateTime addMinutes(qint64 minutes) const;
    DateTime addSeconds(qint64 seconds) const;
    // Whole minutes from this to other, each taken at its whole minute.
    qint64 minutesTo(const DateTime& other) const;
    // Whole seconds from this to other, each taken at its whole second.
    qint64 secondsTo(const DateTime& other) const;

    // Format with the runtime's date tokens: d dd ddd dddd, m mm (month, or
    // minute right after an hour token or before a seconds token), mmm mmmm,
    // M MM (month), n nn (minute), h hh H HH (hour; 12-hour when AMPM or
    // AM/PM is present), s ss, yy yyyy, AMPM and AM/PM. Any other character
    // is copied. Patterns used: "mm/dd/yyyy HH:nn:ss", "MM-dd-yyyy HH:mm:ss",
    // "dd-mmm-yyyy hh:mm:ss AMPM", "mm_dd_yyyy__hh_nn_ss", "hh:mm:ss".
    QString format(const QString& pattern) const;
    // "M/d/yyyy": the short date of the fixed locale.
    QString shortDate() const;
    // The general date: "M/d/yyyy h:mm:ss AM", without the time at
    // midnight and without the date on the zero day.
    QString generalDate() const;

    friend bool operator==(const DateTime& a, const DateTime& b) { return a.m_days == b.m_days; }
    friend auto operator<=>(const DateTime& a, const DateTime& b) { return a.m_days <=> b.m_days; }

private:
    // Seconds since 30 December 1899 00:00 on a continuous time line.
    qint64 roundedSeconds() const;
    qint64 dayNumber() const;
    int secondOfDay() const;
    static DateTime FromSeconds(qint64 seconds);
    static DateTime FromDayAndFraction(qint64 day, double fraction);

    double m_days = 0.0;
};

Q_DECLARE_METATYPE(DateTime)
