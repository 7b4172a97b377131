// The date-or-text value stored for an album file's date: an OLE Automation
// date (days since 30 December 1899, the fraction being the time of day), a
// text such as "03/01/02 0:00:00", or empty.
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace quorbell {

struct DateVariant
{
    enum class Kind { Empty, Date, Text };

    Kind kind = Kind::Empty;
    double oleDate = 0; // Kind::Date: kept as stored, so it is written back bit for bit
    QString text;       // Kind::Text

    static DateVariant fromDate(double ole) { return {Kind::Date, ole, {}}; }
    static DateVariant fromText(const QString& t) { return {Kind::Text, 0, t}; }
    // Local date-time at one-second resolution.
    static DateVariant fromDateTime(const QDateTime& local);

    // The local date-time it stands for: the date itself, or the text parsed as
    // "yy/MM/dd H:mm:ss" or "yyyy/MM/dd H:mm:ss"; nothing for empty or unparsable text.
    std::optional<QDateTime> toDateTime() const;
    // Seconds since the OLE epoch, for ordering; nothing when there is no date.
    std::optional<qint64> sortSeconds() const;
    // "yyyy/MM/dd H:mm:ss", the text this program shows for a date; a text
    // value is shown as it is stored.
    QString displayText() const;

    friend bool operator==(const DateVariant&, const DateVariant&) = default;
};

// OLE Automation date <-> local date-time, rounded to the nearest second.
double toOleDate(const QDateTime& local);
QDateTime fromOleDate(double ole);

// Parses "03/01/02 0:00:00" or "2003/01/02 0:00:00" (time optional, "-" also
// accepted between date parts). Two-digit years 30-99 are 1930-1999, 00-29 are 2000-2029.
std::optional<QDateTime> parseDateText(const QString& text);

} // namespace quorbell
