#pragma once

// Companions: the objects through which an add-in sees an object of the program. A companion
// implements one SDK interface over its owner and keeps the owner alive while the add-in holds a
// reference; the last Release frees the companion and lets the owner go. Every member runs under
// GuardHXCall, so the program's exceptions reach the add-in as failed results with their
// description.

#include "addins/SdkBridge.h"

#include <HoraluxSDK.h>
#include <HoraluxSDKObject.h>
#include <memory>
#include <typeinfo>

/// What a companion tells the program about itself. The program asks for it with IID_CompanionSelf
/// (a GUID of its own, never handed to add-ins); no reference is taken for that answer.
class TCompanionSelf {
public:
    virtual std::shared_ptr<void> OwnerHandle() const = 0;
    virtual const std::type_info& OwnerType() const = 0;

protected:
    ~TCompanionSelf() = default;
};
constexpr HXGUID IID_CompanionSelf = HoraluxSDK::HXGuidFromText("{6F0C2B1E-5A43-4C7D-9E21-3B8D7A64F190}");

/// The reference counting and the dispatch members (late binding included) are those of the SDK's
/// own base for objects; a companion adds only the answer to IID_CompanionSelf.
template <typename Interface, typename Owner>
class TCompanion : public HoraluxSDK::HXObject<Interface>, private TCompanionSelf {
public:
    /// Pins owner; the new companion holds one reference for its creator.
    explicit TCompanion(std::shared_ptr<Owner> owner) : m_owner(std::move(owner)) {}

    HXRESULT QueryInterface(const HXGUID& iid, void** object) noexcept override {
        if (object && HoraluxSDK::HXEqualGuid(iid, IID_CompanionSelf)) {
            *object = static_cast<TCompanionSelf*>(this);
            return HX_S_OK;
        }
        return HoraluxSDK::HXObject<Interface>::QueryInterface(iid, object);
    }

protected:
    virtual ~TCompanion() = default;
    Owner& Get() const { return *m_owner; }
    const std::shared_ptr<Owner>& OwnerPtr() const { return m_owner; }

private:
    std::shared_ptr<void> OwnerHandle() const override { return m_owner; }
    const std::type_info& OwnerType() const override { return typeid(Owner); }

    std::shared_ptr<Owner> m_owner;
};

/// The program's object behind object when object is one of the program's companions with an owner
/// of type Owner; null for null, an add-in's own object or a companion of another kind.
template <typename Owner> std::shared_ptr<Owner> CompanionOwner(HoraluxSDK::IHXUnknown* object) {
    if (!object)
        return nullptr;
    void* self = nullptr;
    if (object->QueryInterface(IID_CompanionSelf, &self) != HX_S_OK || !self)
        return nullptr;
    const auto* companion = static_cast<const TCompanionSelf*>(self);
    if (companion->OwnerType() != typeid(Owner))
        return nullptr;
    return std::static_pointer_cast<Owner>(companion->OwnerHandle());
}

/// As CompanionOwner, but raises EVRNException "<member>: not an object of this program" for an
/// object that is not one of the program's companions of that kind, and EUnassignedArgumentError
/// for null.
template <typename Owner>
std::shared_ptr<Owner> RequireCompanionOwner(HoraluxSDK::IHXUnknown* object, const char* member) {
    if (!object)
        throw EUnassignedArgumentError(QString::fromLatin1(member));
    std::shared_ptr<Owner> owner = CompanionOwner<Owner>(object);
    if (!owner)
        throw EVRNException(QString::fromLatin1(member) + QStringLiteral(": not an object of this program"));
    return owner;
}

/// Raises EVRNException "<member> is not available to add-ins in this version".
[[noreturn]] void RaiseNotOffered(const char* member);
