#include "calendar/HolidayWorktime.h"

#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "model/PropertyHelpers.h"

#include <cmath>

void THolidayWorktime::SetIsNegative(bool value) {
    m_isNegative = value;
    m_isRelative = m_isRelative || value;
}

void THolidayWorktime::SetIsRelative(bool value) {
    m_isRelative = value;
    m_isNegative = m_isNegative && value;
}

void THolidayWorktime::SetWorktimePercentage(double value) {
    if (value < 0)
        throw EHolidayWorktimeError(QStringLiteral("WorktimePercentage must be >= 0"));
    m_percentage = value;
}

void THolidayWorktime::Assign(const IHXHolidayWorktime_& source) {
    m_isPercentage = source.IsPercentage();
    m_isNegative = source.IsNegative();
    m_isRelative = source.IsRelative();
    m_absolute = source.WorktimeAbsolute();
    m_percentage = source.WorktimePercentage();
}

namespace {

const QString IsPercentageName = QStringLiteral("ispercentage");
const QString IsRelativeName = QStringLiteral("isrelative");
const QString IsNegativeName = QStringLiteral("isnegative");
const QString PercentageName = QStringLiteral("worktime percentage");
const QString AbsoluteName = QStringLiteral("worktime absolute");

/// A share or time read from the options; what no rule can hold (negative, not a number) reads
/// as 0, so a damaged file never yields a negative required time.
double SoundAmount(double value, const char* what) {
    if (std::isfinite(value) && value >= 0)
        return value;
    WriteLog(QStringLiteral("THolidayWorktime.LoadFromPropertyList: invalid %1 read as 0").arg(QLatin1String(what)));
    return 0.0;
}

} // namespace

void THolidayWorktime::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    SetIsPercentage(FindBooleanDef(list, IsPercentageName, false));
    SetIsRelative(FindBooleanDef(list, IsRelativeName, false));
    SetIsNegative(FindBooleanDef(list, IsNegativeName, false));
    if (m_isPercentage)
        m_percentage = SoundAmount(GetDoubleDef(list ? list->Find(PercentageName) : nullptr, 0), "percentage");
    else
        m_absolute = SoundAmount(GetDurationDef(list ? list->Find(AbsoluteName) : nullptr, 0), "absolute time");
}

void THolidayWorktime::SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const {
    list->Items(IsPercentageName)->SetAsBoolean(m_isPercentage);
    list->Items(IsRelativeName)->SetAsBoolean(m_isRelative);
    list->Items(IsNegativeName)->SetAsBoolean(m_isNegative);
    if (m_isPercentage) {
        list->Items(PercentageName)->SetAsDouble(m_percentage);
        list->Remove(AbsoluteName);
    } else {
        list->Items(AbsoluteName)->SetAsDuration(m_absolute);
        list->Remove(PercentageName);
    }
}

std::optional<double> ApplyHolidayRule(const IHXHolidayWorktime_& rule, double w) {
    if (rule.IsPercentage()) {
        const double p = rule.WorktimePercentage();
        if (rule.IsRelative()) {
            if (p == 0)
                return std::nullopt;
            if (rule.IsNegative()) {
                const double result = w - w * p;
                return result < 0 ? 0.0 : result;
            }
            return w + w * p;
        }
        if (p == 1)
            return std::nullopt;
        if (p != 0)
            return p * w;
        // A 0 % rule on a day that requires nothing changes nothing.
        if (TimesEqual(w, 0))
            return std::nullopt;
        return 0.0;
    }
    const double a = rule.WorktimeAbsolute();
    if (rule.IsRelative()) {
        if (TimesEqual(a, 0))
            return std::nullopt;
        if (rule.IsNegative()) {
            const double result = w - a;
            return result < 0 ? 0.0 : result;
        }
        return w + a;
    }
    if (!TimesEqual(a, w))
        return a;
    return std::nullopt;
}
