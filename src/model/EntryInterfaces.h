#pragma once

// Time entries and the lists that hold them. Members stand in the slot order of the internal
// interfaces. Dates are whole days and times fractions of a day (1.0 = 24:00); time values that
// differ by less than one millisecond count as equal.

#include "foundation/GUID.h"
#include "foundation/VRNException.h"

#include <memory>

class IHXPropertyList_;
class IHXActivityLocator_;
class IHXEntry_;
class IHXActivityEntry_;
class IHXEntryList_;
class IHXDayEntryList_;

using EntryPtr = std::shared_ptr<IHXEntry_>;
using ActivityEntryPtr = std::shared_ptr<IHXActivityEntry_>;
using EntryListPtr = std::shared_ptr<IHXEntryList_>;
using DayEntryListPtr = std::shared_ptr<IHXDayEntryList_>;

VRN_DECLARE_EXCEPTION(EContinuousDataError, EVRNException);
VRN_DECLARE_EXCEPTION(EEntryError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EEntryLoadError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EDateInfoNameError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EEntryInfoError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EEntryInfoNameError, EContinuousDataError);
VRN_DECLARE_EXCEPTION(EEntryTimeError, EEntryError);
VRN_DECLARE_EXCEPTION(EDateInfoError, EVRNException);

/// Something that happened on Date from StartTime to EndTime.
class IHXEntry_ {
public:
    virtual ~IHXEntry_() = default;
    /// 0 until a date is assigned.
    virtual double Date() const = 0;
    virtual double StartTime() const = 0;
    virtual double EndTime() const = 0;
    /// Assigns the whole day of value once; the same day again is accepted, another day raises
    /// EEntryTimeError "Date is already assigned and cannot be reassigned".
    virtual void SetDate(double value) = 0;
    virtual bool Changed() const = 0;
    /// Further values of the entry (created on the first call); written back on every save.
    virtual std::shared_ptr<IHXPropertyList_> AdditionalProperties() = 0;
    /// Both times in 0..1 and start not after end, else EEntryTimeError "Invalid
    /// Date/StartTime/EndTime combination" and the entry stays as it was.
    virtual void SetTime(double startTime, double endTime) = 0;
    /// -1, 0 or 1 by day, then start time, then end time.
    virtual int CompareDateTime(const EntryPtr& other) const = 0;
    /// Reads "date", "starttime", "endtime" (missing or mistyped values raise
    /// EPropertyWrongDataType); everything else becomes the additional properties. On failure the
    /// entry stays as it was. The caller's list is not changed.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    virtual void AddToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const = 0;
    /// A new property list with AddToPropertyList; the entry is no longer Changed.
    virtual std::shared_ptr<IHXPropertyList_> SaveAsPropertyList() = 0;
};

/// An entry booked on an activity, with the time actually spent.
class IHXActivityEntry_ : public virtual IHXEntry_ {
public:
    /// Duration := EndTime - StartTime.
    virtual void CalculateDuration() = 0;
    virtual std::shared_ptr<IHXActivityLocator_> Locator() const = 0;
    virtual double Duration() const = 0;
    virtual void SetDuration(double duration) = 0;
    /// The unconfirmed flag: true for a new entry and after every edit in the worksheet.
    virtual bool IsProblem() const = 0;
    virtual void SetIsProblem(bool isProblem) = 0;
};

/// Creates the entries of one entry type.
class IHXEntryProvider_ {
public:
    virtual ~IHXEntryProvider_() = default;
    virtual TGUID GetEntryTypeID() const = 0;
    virtual EntryPtr CreateEntry() = 0;
};
using EntryProviderPtr = std::shared_ptr<IHXEntryProvider_>;

class IHXEntryList_ {
public:
    virtual ~IHXEntryList_() = default;
    virtual int Count() const = 0;
    /// An index out of range raises EVRNListError.
    virtual EntryPtr Items(int index) const = 0;
    /// Refuses nil (EUnassignedArgumentError) and an entry already in the list (EVRNListError
    /// "Entry already in List").
    virtual void Add(const EntryPtr& entry) = 0;
    virtual void Remove(const EntryPtr& entry) = 0;
    virtual void Delete(int index) = 0;
    /// The list's own flag, or any entry's.
    virtual bool Changed() const = 0;
    /// By CompareDateTime.
    virtual void Sort() = 0;
    virtual void SetChanged(bool changed) = 0;
};

/// The entries of one entry type on one day.
class IHXDayEntryList_ : public virtual IHXEntryList_ {
public:
    virtual double Date() const = 0;
    /// A new entry of the list's type, dated with the list's date and added.
    virtual EntryPtr AddNew() = 0;
    /// An unchanged, independent copy (new entry objects with equal values).
    virtual DayEntryListPtr Clone() const = 0;
    /// Replaces the entries by copies of other's. Another date raises EVRNListError "Assigned
    /// DayEntryList list must have the same date" and leaves this list unchanged.
    virtual void Assign(const DayEntryListPtr& other) = 0;
};
