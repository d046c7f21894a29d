#include "formatting/DurationFormatter.h"

#include "formatting/DurationFormattingOptions.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/LiveObjectRegistry.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/PropertyList.h"

const TGUID TDurationFormatterAutomatic::ID = TGUID::Constant("{71981566-B3EB-405D-A1E9-5FD9652462E8}");
const TGUID TDurationFormatterHM::ID = TGUID::Constant("{02F91AD0-D9E1-4F19-BC97-728913937FCB}");
const TGUID TDurationFormatterUnitDays0::ID = TGUID::Constant("{93CCE839-CA0E-43F6-8A42-309A73A4CB9A}");
const TGUID TDurationFormatterUnitDays1::ID = TGUID::Constant("{3379D381-3C39-45ED-BCC8-91AD0C9A3BDB}");
const TGUID TDurationFormatterUnitDays2::ID = TGUID::Constant("{B305912A-1B35-4757-93DF-7CF357EC6C2A}");
const TGUID TDurationFormatterUnitHours0::ID = TGUID::Constant("{6BA35294-14FB-4130-90BB-A21DDFAB1CE1}");
const TGUID TDurationFormatterUnitHours1::ID = TGUID::Constant("{3A468196-78F7-4E02-B269-135FD81B60B2}");
const TGUID TDurationFormatterUnitHours2::ID = TGUID::Constant("{AAD886D6-3BEA-4961-89C3-94A0679FDDC6}");
const TGUID TDurationFormatterUnitMinutes0::ID = TGUID::Constant("{321C36A5-5723-4594-8419-09E166EE92C2}");

namespace {

/// The magnitude of a duration, rounded to whole milliseconds, in its parts.
struct TDecodedDuration {
    std::int64_t Hours = 0;
    int Minutes = 0;
    int Seconds = 0;
    int MSecs = 0;
    bool Negative = false;

    double TotalHours() const { return Hours + Minutes / 60.0 + Seconds / 3600.0 + MSecs / 3600000.0; }
    double TotalMinutes() const { return Hours * 60.0 + Minutes + Seconds / 60.0 + MSecs / 60000.0; }
    /// value with the duration's sign (a duration that rounds to zero has none).
    double Signed(double value) const { return Negative && value != 0 ? -value : value; }
};

TDecodedDuration Decode(double duration) {
    TDecodedDuration d;
    DecodeDuration(duration, d.Hours, d.Minutes, d.Seconds, d.MSecs);
    d.Negative = duration < 0;
    return d;
}

} // namespace

double HoursPerDayOf(const std::weak_ptr<const IHXDurationFormattingOptions_>& options) {
    if (const auto locked = options.lock())
        return locked->HoursPerDay();
    return TDurationFormattingOptions::DefaultHoursPerDay;
}

void TDurationFormatterBase::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>&) {
    throw EDurationFormatterError(QStringLiteral("This implementation does not support LoadFromPropertyList"));
}

// --- Hours and minutes ---

QString TDurationFormatterHM::Text(double duration) {
    try {
        const TDecodedDuration d = Decode(duration);
        return Int64ToWideStr(d.Hours, 2) + QLatin1Char(':') + IntToWideStr(d.Minutes, 2);
    } catch (const std::exception&) {
        return QString();
    }
}

QString TDurationFormatterHM::Format(double duration) const {
    return Text(duration);
}

QString TDurationFormatterHM::Name() const {
    return Tr("Hours:Minutes");
}

const std::shared_ptr<TDurationFormatterHM>& DefaultDurationFormatterHM() {
    static const auto instance = [] {
        auto created = std::make_shared<TDurationFormatterHM>();
        // It lives as long as the process: the report of leftovers at the program's end is not
        // the place for it.
        UnregisterLiveObject(created.get());
        return created;
    }();
    return instance;
}

// --- Decimal units ---

QString TDurationFormatterUnitBase::Format(double duration) const {
    return FormatWith(duration, FormatSettings());
}

QString TDurationFormatterUnitBase::FormatWith(double duration, const TvrnFormatSettings& settings) const {
    try {
        return FormatLocalNumber(Value(duration), m_decimals, settings);
    } catch (const std::exception&) {
        return QString();
    }
}

double TDurationFormatterUnitHoursBase::Value(double duration) const {
    return Decode(duration).TotalHours();
}

double TDurationFormatterUnitMinutesBase::Value(double duration) const {
    const TDecodedDuration d = Decode(duration);
    return d.Signed(d.TotalMinutes());
}

double TDurationFormatterUnitDaysBase::Value(double duration) const {
    const TDecodedDuration d = Decode(duration);
    return d.Signed(d.TotalHours() / HoursPerDayOf(m_options));
}

QString TDurationFormatterUnitDays0::Name() const {
    return Tr("Days (rounded)");
}
QString TDurationFormatterUnitDays1::Name() const {
    return Tr("Days (1 decimal)");
}
QString TDurationFormatterUnitDays2::Name() const {
    return Tr("Days (2 decimals)");
}
QString TDurationFormatterUnitHours0::Name() const {
    return Tr("Hours (rounded)");
}
QString TDurationFormatterUnitHours1::Name() const {
    return Tr("Hours (1 decimal)");
}
QString TDurationFormatterUnitHours2::Name() const {
    return Tr("Hours (2 decimals)");
}
QString TDurationFormatterUnitMinutes0::Name() const {
    return Tr("Minutes (rounded)");
}

// --- Automatic ---

QString TDurationFormatterAutomatic::Format(double duration) const {
    try {
        if (static_cast<double>(Decode(duration).Hours) >= HoursPerDayOf(m_options))
            return FormatPlaceholders(Tr("%1 d"), {m_days.Format(duration)});
        return FormatPlaceholders(Tr("%1 h"), {TDurationFormatterHM::Text(duration)});
    } catch (const std::exception&) {
        return QString();
    }
}

QString TDurationFormatterAutomatic::Name() const {
    return Tr("Automatic");
}

std::shared_ptr<IHXPropertyList_> TDurationFormatterBase::SaveToPropertyList() const {
    auto list = std::make_shared<TPropertyList>();
    list->Items(QStringLiteral("name"))->SetAsString(Name());
    list->Items(QStringLiteral("id"))->SetAsGUID(Id());
    list->Items(QStringLiteral("format string"))->SetAsString(FormatString());
    return list;
}
