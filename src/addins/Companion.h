#pragma once

// Companions: the objects through which an add-in sees an object of the program. A companion
// implements one SDK interface over its owner and keeps the owner alive while the add-in holds a
// reference; the last Release frees the companion and lets the owner go. Every member runs under
// GuardHXCall, so the program's exceptions reach the add-in as failed results with their
// description.

#include "addins/SdkBridge.h"

#include <HoraluxSDK.h>
#include <HoraluxSDKDispatch.h>
#include <atomic>
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

template <typename Interface, typename Owner> class TCompanion : public Interface, private TCompanionSelf {
public:
    /// Pins owner; the new companion holds one reference for its creator.
    explicit TCompanion(std::shared_ptr<Owner> owner) : m_owner(std::move(owner)) {}
    TCompanion(const TCompanion&) = delete;
    TCompanion& operator=(const TCompanion&) = delete;

    HXRESULT QueryInterface(const HXGUID& iid, void** object) noexcept override {
        using namespace HoraluxSDK;
        if (!object)
            return HX_E_POINTER;
        if (HXEqualGuid(iid, IHXUnknown::IID) || HXEqualGuid(iid, IHXDispatch::IID) ||
            HXEqualGuid(iid, Interface::IID)) {
            AddRef();
            *object = static_cast<Interface*>(this);
            return HX_S_OK;
        }
        if (HXEqualGuid(iid, IID_CompanionSelf)) {
            *object = static_cast<TCompanionSelf*>(this);
            return HX_S_OK;
        }
        *object = nullptr;
        return HX_E_NOINTERFACE;
    }
    uint32_t AddRef() noexcept override { return ++m_references; }
    uint32_t Release() noexcept override {
        const uint32_t left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    HXRESULT GetTypeInfoCount(uint32_t* count) noexcept override {
        if (!count)
            return HX_E_POINTER;
        *count = 0;
        return HX_S_OK;
    }
    HXRESULT GetTypeInfo(uint32_t, void** typeInfo) noexcept override {
        if (typeInfo)
            *typeInfo = nullptr;
        return HX_E_NOTIMPL;
    }
    HXRESULT GetIDsOfNames(const char16_t* const* names, uint32_t count, int32_t* dispids) noexcept override {
        if (!names || !dispids)
            return HX_E_POINTER;
        HXRESULT result = HX_S_OK;
        for (uint32_t i = 0; i < count; ++i) {
            dispids[i] = names[i] ? HoraluxSDK::HXFindDispId(Interface::Members, names[i]) : -1;
            if (dispids[i] == -1)
                result = HX_DISP_E_UNKNOWNNAME;
        }
        return result;
    }
    /// Late binding: the member of Interface with that dispatch id, through its thunk table.
    HXRESULT Invoke(int32_t dispid, uint16_t flags, HXVARIANT* args, uint32_t argc,
                    HXVARIANT* result) noexcept override {
        return HoraluxSDK::HXDispatchInvoke<Interface>(this, dispid, flags, args, argc, result);
    }

protected:
    virtual ~TCompanion() = default;
    Owner& Get() const { return *m_owner; }
    const std::shared_ptr<Owner>& OwnerPtr() const { return m_owner; }

private:
    std::shared_ptr<void> OwnerHandle() const override { return m_owner; }
    const std::type_info& OwnerType() const override { return typeid(Owner); }

    std::shared_ptr<Owner> m_owner;
    std::atomic<uint32_t> m_references{1};
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
