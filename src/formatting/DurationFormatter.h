#pragma once

// Duration formatters: a duration (days as a double) as hours and minutes, or as a decimal number
// of hours, minutes or working days.

#include "foundation/CheckedObject.h"
#include "foundation/GUID.h"
#include "foundation/International.h"
#include "foundation/VRNException.h"

#include <QString>
#include <memory>

class IHXPropertyList_;
class IHXDurationFormattingOptions_;

/// LoadFromPropertyList of a built-in formatter: "This implementation does not support
/// LoadFromPropertyList".
VRN_DECLARE_EXCEPTION(EDurationFormatterError, EVRNException);

/// Every formatter first decodes the magnitude of the duration, rounded to whole milliseconds,
/// into whole hours H (unbounded), minutes, seconds and milliseconds; the sign is shown or dropped
/// per formatter. Formatting never raises: a failure gives the empty text.
class IHXDurationFormatter_ {
public:
    virtual ~IHXDurationFormatter_() = default;
    virtual QString Format(double duration) const = 0;
    /// A short code of the kind of output ("HH:MM", "H1", ...; empty for the automatic one).
    virtual QString FormatString() const = 0;
    /// The display name (translated).
    virtual QString Name() const = 0;
    virtual TGUID Id() const = 0;
    /// Raises EDurationFormatterError: no built-in formatter can be loaded.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    /// A new list with "name", "id" and "format string".
    virtual std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const = 0;
};
using DurationFormatterPtr = std::shared_ptr<IHXDurationFormatter_>;

class TDurationFormatterBase : public TInterfacedAndCheckedObject, public IHXDurationFormatter_ {
public:
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const override;
};

/// Hours with at least two digits, ":", two-digit minutes; seconds dropped, no sign ("07:30",
/// "36:05").
class TDurationFormatterHM : public TDurationFormatterBase {
public:
    static const TGUID ID;
    QString Format(double duration) const override;
    QString FormatString() const override { return QStringLiteral("HH:MM"); }
    QString Name() const override;
    TGUID Id() const override { return ID; }

    /// The hours-and-minutes text without a formatter object.
    static QString Text(double duration);
};

/// The process-wide hours-and-minutes formatter (for the texts of the calendar).
const std::shared_ptr<TDurationFormatterHM>& DefaultDurationFormatterHM();

/// A decimal number with a fixed number of fraction digits in the user's number format.
class TDurationFormatterUnitBase : public TDurationFormatterBase {
public:
    explicit TDurationFormatterUnitBase(int decimals) : m_decimals(decimals) {}
    int Decimals() const { return m_decimals; }
    QString Format(double duration) const override;
    /// Format in the given number settings instead of the user's.
    QString FormatWith(double duration, const TvrnFormatSettings& settings) const;

protected:
    /// The number to write for the duration; may raise (Format then gives the empty text).
    virtual double Value(double duration) const = 0;

private:
    int m_decimals;
};

/// Hours of the magnitude (no sign).
class TDurationFormatterUnitHoursBase : public TDurationFormatterUnitBase {
public:
    using TDurationFormatterUnitBase::TDurationFormatterUnitBase;

protected:
    double Value(double duration) const override;
};

/// Minutes, negative for negative durations.
class TDurationFormatterUnitMinutesBase : public TDurationFormatterUnitBase {
public:
    using TDurationFormatterUnitBase::TDurationFormatterUnitBase;

protected:
    double Value(double duration) const override;
};

/// Working days (hours divided by the options' hours per day, 8 without options), negative for
/// negative durations. The hours per day are read at formatting time.
class TDurationFormatterUnitDaysBase : public TDurationFormatterUnitBase {
public:
    TDurationFormatterUnitDaysBase(int decimals, std::weak_ptr<const IHXDurationFormattingOptions_> options)
        : TDurationFormatterUnitBase(decimals), m_options(std::move(options)) {}

protected:
    double Value(double duration) const override;

private:
    std::weak_ptr<const IHXDurationFormattingOptions_> m_options;
};

class TDurationFormatterUnitDays0 : public TDurationFormatterUnitDaysBase {
public:
    static const TGUID ID;
    explicit TDurationFormatterUnitDays0(std::weak_ptr<const IHXDurationFormattingOptions_> options = {})
        : TDurationFormatterUnitDaysBase(0, std::move(options)) {}
    QString FormatString() const override { return QStringLiteral("D0"); }
    QString Name() const override;
    TGUID Id() const override { return ID; }
};

class TDurationFormatterUnitDays1 : public TDurationFormatterUnitDaysBase {
public:
    static const TGUID ID;
    explicit TDurationFormatterUnitDays1(std::weak_ptr<const IHXDurationFormattingOptions_> options = {})
        : TDurationFormatterUnitDaysBase(1, std::move(options)) {}
    QString FormatString() const override { return QStringLiteral("D1"); }
    QString Name() const override;
    TGUID Id() const override { return ID; }
};

class TDurationFormatterUnitDays2 : public TDurationFormatterUnitDaysBase {
public:
    static const TGUID ID;
    explicit TDurationFormatterUnitDays2(std::weak_ptr<const IHXDurationFormattingOptions_> options = {})
        : TDurationFormatterUnitDaysBase(2, std::move(options)) {}
    QString FormatString() const override { return QStringLiteral("D2"); }
    QString Name() const override;
    TGUID Id() const override { return ID; }
};

class TDurationFormatterUnitHours0 : public TDurationFormatterUnitHoursBase {
public:
    static const TGUID ID;
    TDurationFormatterUnitHours0() : TDurationFormatterUnitHoursBase(0) {}
    QString FormatString() const override { return QStringLiteral("H0"); }
    QString Name() const override;
    TGUID Id() const override { return ID; }
};

class TDurationFormatterUnitHours1 : public TDurationFormatterUnitHoursBase {
public:
    static const TGUID ID;
    TDurationFormatterUnitHours1() : TDurationFormatterUnitHoursBase(1) {}
    QString FormatString() const override { return QStringLiteral("H1"); }
    QString Name() const override;
    TGUID Id() const override { return ID; }
};

class TDurationFormatterUnitHours2 : public TDurationFormatterUnitHoursBase {
public:
    static const TGUID ID;
    TDurationFormatterUnitHours2() : TDurationFormatterUnitHoursBase(2) {}
    QString FormatString() const override { return QStringLiteral("H2"); }
    QString Name() const override;
    TGUID Id() const override { return ID; }
};

class TDurationFormatterUnitMinutes0 : public TDurationFormatterUnitMinutesBase {
public:
    static const TGUID ID;
    TDurationFormatterUnitMinutes0() : TDurationFormatterUnitMinutesBase(0) {}
    QString FormatString() const override { return QStringLiteral("M0"); }
    QString Name() const override;
    TGUID Id() const override { return ID; }
};

/// Working days with one decimal and " d" when the magnitude has at least "hours per day" whole
/// hours, else hours and minutes with " h" ("07:30 h", "1.0 d").
class TDurationFormatterAutomatic : public TDurationFormatterBase {
public:
    static const TGUID ID;
    explicit TDurationFormatterAutomatic(std::weak_ptr<const IHXDurationFormattingOptions_> options = {})
        : m_days(options), m_options(std::move(options)) {}
    QString Format(double duration) const override;
    QString FormatString() const override { return QString(); }
    QString Name() const override;
    TGUID Id() const override { return ID; }

private:
    TDurationFormatterUnitDays1 m_days;
    std::weak_ptr<const IHXDurationFormattingOptions_> m_options;
};

/// The hours per day of the options, 8 when there are none.
double HoursPerDayOf(const std::weak_ptr<const IHXDurationFormattingOptions_>& options);
