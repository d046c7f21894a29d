#pragma once

#include "formatting/DateFormatterList.h"

/// A display type outside 0..2 was set: "Invalid FormatDisplayType value".
VRN_DECLARE_EXCEPTION(EFormattingOptionsError, EVRNException);
/// A saved display type has an unknown name: "Unknown name for FormatDisplayType".
VRN_DECLARE_EXCEPTION(EFormatDisplayTypeNameError, EVRNException);

/// How formatters are presented in choosers.
enum TFormatDisplayType { fdtName = 0, fdtFormat = 1, fdtSample = 2 };

/// "name", "format" or "sample".
QString FormatDisplayTypeToName(int displayType);
/// The display type of a name, compared without regard to case; another name raises
/// EFormatDisplayTypeNameError.
int FormatDisplayTypeFromName(const QString& name);

/// The date half of the formatting options: all available formatters (the ten built-ins followed
/// by the user's own) and the selection offered in choosers.
class IHXDateFormattingOptions_ {
public:
    virtual ~IHXDateFormattingOptions_() = default;
    virtual int DisplayType() const = 0;
    /// A value outside 0..2 raises EFormattingOptionsError and keeps the old one.
    virtual void SetDisplayType(int value) = 0;
    virtual DateFormatterListPtr Definitions() const = 0;
    virtual DateFormatterListPtr Selection() const = 0;
    /// Loads from the "date formatting options" list; nullptr loads the defaults. Unreadable
    /// definitions and selection items are skipped; an empty selection ends up holding every
    /// definition. Raises EFormatDisplayTypeNameError for an unknown display type name.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    virtual std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const = 0;
};
using DateFormattingOptionsPtr = std::shared_ptr<IHXDateFormattingOptions_>;

class TDateFormattingOptions : public TInterfacedAndCheckedObject, public IHXDateFormattingOptions_ {
public:
    /// Display by name, the default definitions, an empty selection (loading fills it).
    TDateFormattingOptions();

    int DisplayType() const override { return m_displayType; }
    void SetDisplayType(int value) override;
    DateFormatterListPtr Definitions() const override { return m_definitions; }
    DateFormatterListPtr Selection() const override { return m_selection; }
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    std::shared_ptr<IHXPropertyList_> SaveToPropertyList() const override;

private:
    int m_displayType = fdtName;
    DateFormatterListPtr m_definitions;
    DateFormatterListPtr m_selection;
};
