#pragma once

// Add-ins: almost everything beyond the core objects reaches the program as an add-in (trackers,
// storage providers, windows, reports, options pages). Every add-in, built in or loaded from a
// library, offers IHXAddIn; the add-in manager loads, orders and launches them.

#include "foundation/CheckedObject.h"

#include <QString>
#include <memory>

class IApplication_;

/// The add-in contract. Operations stand in their slot order; failures are raised.
class IHXAddIn {
public:
    IHXAddIn() = default;
    virtual ~IHXAddIn() = default;
    IHXAddIn(const IHXAddIn&) = delete;
    IHXAddIn& operator=(const IHXAddIn&) = delete;

    /// The identifier, a GUID in braces form.
    virtual QString GetID() = 0;
    /// The display name (translated for the built-in add-ins).
    virtual QString GetName() = 0;
    /// Whether the user may switch the add-in off.
    virtual bool AllowDeactivate() = 0;
    /// How many add-ins this one needs.
    virtual int RequiresAddInsCount() = 0;
    /// The identifier of the index-th add-in this one needs (0-based).
    virtual QString GetRequiredAddInsID(int index) = 0;
    /// All add-ins are loaded and ordered.
    virtual void Loaded() = 0;
    /// Start working. An add-in from a library receives the application's automation face, which
    /// its adapter takes from the application (the last slot of IApplication_).
    virtual void LaunchAddIn(const std::shared_ptr<IApplication_>& application) = 0;
    /// A description for the About window.
    virtual QString GetAboutText() = 0;
};
using AddInPtr = std::shared_ptr<IHXAddIn>;

/// The base of the add-ins built into the program. A subclass supplies GetID and GetName and, at
/// its launch, calls TInternalAddIn::LaunchAddIn first and then registers itself.
class TInternalAddIn : public TCheckedAutoObject, public IHXAddIn {
public:
    /// Raises EVRNException "abstract: TInternalAddIn.GetID <class name>".
    QString GetID() override;
    /// Raises EVRNException "abstract: TInternalAddIn.GetName <class name>".
    QString GetName() override;
    bool AllowDeactivate() override { return true; }
    int RequiresAddInsCount() override { return 0; }
    QString GetRequiredAddInsID(int /*index*/) override { return QString(); }
    void Loaded() override {}
    /// Keeps the application (released with the add-in, when the manager goes).
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
    /// "Base add-in for Varnelo Horalux. This add in is integrated" and whether it can be
    /// deactivated.
    QString GetAboutText() override;

protected:
    /// The application kept at the launch; raises EVRNException before it.
    IApplication_& Application() const;
    const std::shared_ptr<IApplication_>& ApplicationPtr() const { return m_application; }

private:
    std::shared_ptr<IApplication_> m_application;
};
