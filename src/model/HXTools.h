#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/XMZFile.h"
#include "model/PropertyInterfaces.h"

#include <functional>

class IHXEntryList_;
class IHXActivityLocator_;

/// The factory of new data-model objects that the program hands to its parts and add-ins. The
/// creators of actions and planned-break lists join this interface (in that order, between the
/// property list and the activity locator) together with the objects they create.
class IHXTools_ {
public:
    IHXTools_() = default;
    virtual ~IHXTools_() = default;
    IHXTools_(const IHXTools_&) = delete;
    IHXTools_& operator=(const IHXTools_&) = delete;

    /// A new, empty list of plain entries.
    virtual std::shared_ptr<IHXEntryList_> CreateNewEntryList() = 0;
    /// A new data file object (minimum version and edition 0) that compresses unless the boolean
    /// "compress" of the options section "general" says otherwise.
    virtual std::shared_ptr<TXMZFile> CreateNewXMZFile() = 0;
    /// A new property list (case mode 1, 30 buckets).
    virtual std::shared_ptr<IHXPropertyList_> CreateNewPropertyList() = 0;
    /// A new, empty activity locator (null ID, empty path and name, no break).
    virtual std::shared_ptr<IHXActivityLocator_> CreateNewActivityLocator() = 0;
};

/// Reads an option section of the application (nullptr when there is none).
using TOptionsSectionReader = std::function<std::shared_ptr<IHXPropertyList_>(const QString& section)>;

class THXTools : public TCheckedAutoObject, public IHXTools_ {
public:
    /// options reads the application's option sections; without it files are compressed.
    explicit THXTools(TOptionsSectionReader options = nullptr);

    std::shared_ptr<IHXEntryList_> CreateNewEntryList() override;
    std::shared_ptr<TXMZFile> CreateNewXMZFile() override;
    std::shared_ptr<IHXPropertyList_> CreateNewPropertyList() override;
    std::shared_ptr<IHXActivityLocator_> CreateNewActivityLocator() override;

    /// OpenOrCreateXMZFile with file objects of CreateNewXMZFile.
    std::shared_ptr<TXMZFile> OpenOrCreateXMZFile(const QString& fileName, const TGUID& fileType);

private:
    TOptionsSectionReader m_options;
};
