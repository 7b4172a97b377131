#include "core/DateVariant.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <cmath>

namespace quorbell {
namespace {

const QDate kOleEpoch(1899, 12, 30);
constexpr qint64 kSecondsPerDay = 86400;

// Whole seconds since the epoch; negative OLE dates keep the time of day as a
// positive fraction of their (negative) day, as the format defines.
std::optional<qint64> oleToSeconds(double ole)
{
    if (!std::isfinite(ole) || std::fabs(ole) > 3.0e6) // beyond year 9999
        return std::nullopt;
    const double day = std::trunc(ole);
    const double fraction = std::fabs(ole - day);
    return qint64(day) * kSecondsPerDay + qint64(std::llround(fraction * kSecondsPerDay));
}

} // namespace

double toOleDate(const QDateTime& local)
{
    const qint64 days = kOleEpoch.daysTo(local.date());
    const int wholeSeconds = local.time().msecsSinceStartOfDay() / 1000; // one-second resolution
    const double fraction = wholeSeconds / double(kSecondsPerDay);
    // Before the epoch the day is negative and the time still adds its fraction away from zero.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime fromOleDate(double ole)
{
    const std::optional<qint64> secs = oleToSeconds(ole);
    if (!secs)
        return {};
    // Floor division: the seconds run on one line through the epoch.
    qint64 days = *secs / kSecondsPerDay;
    qint64 rest = *secs % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        days -= 1;
    }
    return QDateTime(kOleEpoch.addDays(days), QTime(0, 0).addSecs(int(rest)));
}

DateVariant DateVariant::fromDateTime(const QDateTime& local)
{
    QDateTime whole = local;
    whole.setTime(QTime(local.time().hour(), local.time().minute(), local.time().second()));
    return fromDate(toOleDate(whole));
}

std::optional<QDateTime> parseDateText(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{2}|\d{4})[/-](\d{1,2})[/-](\d{1,2})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(1).toInt();
    if (m.captured(1).size() == 2)
        year += year >= 30 ? 1900 : 2000;
    const QDate date(year, m.captured(2).toInt(), m.captured(3).toInt());
    const QTime time(m.captured(4).isEmpty() ? 0 : m.captured(4).toInt(),
                     m.captured(5).isEmpty() ? 0 : m.captured(5).toInt(),
                     m.captured(6).isEmpty() ? 0 : m.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

std::optional<QDateTime> DateVariant::toDateTime() const
{
    switch (kind) {
    case Kind::Date: {
        const QDateTime dt = fromOleDate(oleDate);
        return dt.isValid() ? std::optional(dt) : std::nullopt;
    }
    case Kind::Text:
        return parseDateText(text);
    case Kind::Empty:
        break;
    }
    return std::nullopt;
}

std::optional<qint64> DateVariant::sortSeconds() const
{
    if (kind == Kind::Date)
        return oleToSeconds(oleDate);
    const std::optional<QDateTime> dt = toDateTime();
    if (!dt)
        return std::nullopt;
    return kOleEpoch.daysTo(dt->date()) * kSecondsPerDay + dt->time().msecsSinceStartOfDay() / 1000;
}

QString DateVariant::displayText() const
{
    if (kind == Kind::Text)
        return text;
    const std::optional<QDateTime> dt = toDateTime();
    return dt ? dt->toString(QStringLiteral("yyyy/MM/dd H:mm:ss")) : QString();
}

} // namespace quorbell
