#pragma once

#include "formatting/DurationFormatter.h"

#include <vector>

/// An ordered list of duration formatters.
class TDurationFormatterList : public TInterfacedAndCheckedObject {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    /// An index out of range raises EVRNListError.
    DurationFormatterPtr Items(int index) const;
    void Add(const DurationFormatterPtr& formatter);
    /// Inserts before index (0..Count); another index raises EVRNListError.
    void Insert(int index, const DurationFormatterPtr& formatter);
    /// Removes that formatter object; returns its former index or -1.
    int Remove(const DurationFormatterPtr& formatter);
    /// An index out of range raises EVRNListError.
    void Delete(int index);
    /// The index of that formatter object, or -1.
    int IndexOf(const DurationFormatterPtr& formatter) const;
    /// The first formatter with that id, or nullptr.
    DurationFormatterPtr FindById(const TGUID& id) const;
    /// Empties the list; the default list fills it again with the built-ins.
    virtual void Reset();

    /// A new list with "formatter list": one property list per formatter, in order.
    std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const;

protected:
    std::vector<DurationFormatterPtr> m_items;
};
using DurationFormatterListPtr = std::shared_ptr<TDurationFormatterList>;

/// The nine built-in formatters, in the order of the choosers. The day formatters (and the
/// automatic one) read "hours per day" from the options they are bound to. A new one is filled.
class TDurationFormatterListDefault : public TDurationFormatterList {
public:
    explicit TDurationFormatterListDefault(std::weak_ptr<const IHXDurationFormattingOptions_> options = {});
    void Reset() override;

private:
    std::weak_ptr<const IHXDurationFormattingOptions_> m_options;
};
