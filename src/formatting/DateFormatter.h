#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/GUID.h"
#include "foundation/VRNException.h"
#include "foundation/platform/NationalLanguage.h"

#include <QString>
#include <memory>

class IHXPropertyList_;

/// A formatter was asked for something it does not offer (loading a built-in formatter).
VRN_DECLARE_EXCEPTION(EDateFormatterError, EVRNException);

/// Turns a date into text by a date picture (d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy, gg,
/// quoted literals), a locale and a calendar. Formatting never raises: any failure (an invalid
/// picture, a date the locale data cannot show) gives the empty text.
class IHXDateFormatter_ {
public:
    virtual ~IHXDateFormatter_() = default;
    /// The date part of date as text; empty on any failure.
    virtual QString Format(double date) const = 0;
    /// The display name (translated).
    virtual QString Name() const = 0;
    virtual TGUID Id() const = 0;
    /// The picture used.
    virtual QString FormatString() const = 0;
    virtual LCID Locale() const = 0;
    virtual CALID CalendarId() const = 0;
    /// Only user-defined formatters can be loaded; the others raise EDateFormatterError "This
    /// implementation does not support LoadFromPropertyList".
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    /// A new list with "name", "id", "format string", "locale" and "calendar id".
    virtual std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const = 0;
};
using DateFormatterPtr = std::shared_ptr<IHXDateFormatter_>;

/// The extra operations of a user-defined formatter.
class IHXDateFormatterUser_ {
public:
    virtual ~IHXDateFormatterUser_() = default;
    virtual void SetName(const QString& name) = 0;
    virtual void SetFormatString(const QString& picture) = 0;
};

/// Common base: the user default locale (1024) and the user's calendar type, read at the moment
/// of use so that a change of the regional settings takes effect at once.
class TDateFormatterBase : public TInterfacedAndCheckedObject, public IHXDateFormatter_ {
public:
    LCID Locale() const override { return LOCALE_USER_DEFAULT; }
    CALID CalendarId() const override;
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const override;
};

/// The platform's date formatting for the user default locale and its calendar; empty on failure.
QString SystemDateFormat(double date, const QString& picture);
/// Formatting in locale L and calendar C: L's own calendar and L's optional calendar go through the
/// locale's date formatting (the latter as its alternative calendar); any other calendar is
/// formatted in that calendar where the locale data knows it, else in the Gregorian one. Empty on
/// failure.
QString LocaleAndCalendarDateFormat(LCID locale, CALID calendar, double date, const QString& picture);

/// The property-list form of any date formatter: "name", "id", "format string", "locale" and
/// "calendar id", written from the formatter's operations.
std::shared_ptr<IHXPropertyList_> DateFormatterToPropertyList(const IHXDateFormatter_& formatter);
