#pragma once

// The base classes of the reference-counted domain objects. Each one takes part in the live-object
// registry from its construction to its destruction, so the report at the end of the program names
// real leftovers. Reference counting is std::shared_ptr: create these objects with
// std::make_shared.

#include "foundation/LiveObjectRegistry.h"

#include <QString>
#include <functional>
#include <memory>

/// Common root of the checked base classes. Objects are identities: they are not copied.
class TCheckedObject : public ILiveObject, public std::enable_shared_from_this<TCheckedObject> {
public:
    TCheckedObject();
    virtual ~TCheckedObject();
    TCheckedObject(const TCheckedObject&) = delete;
    TCheckedObject& operator=(const TCheckedObject&) = delete;

    /// The class's name as the log shows it; by default the C++ class name without namespaces.
    QString ClassName() const override;
    /// The number of shared references to this object (0 if it is not owned by a shared_ptr).
    long RefCount() const { return weak_from_this().use_count(); }
    /// Writes "RefCount: <n>" to the log.
    void LogRefCount() const;

protected:
    /// A shared reference to this object as its own class (the object must be owned by a
    /// shared_ptr).
    template <typename T> std::shared_ptr<T> SharedThis(T* self) {
        return std::shared_ptr<T>(shared_from_this(), self);
    }
};

/// A plain reference-counted object.
class TInterfacedAndCheckedObject : public TCheckedObject {};

/// A reference-counted automation object; the SDK companions derive from it.
class TCheckedAutoObject : public TCheckedObject {};

/// An object created together with the class of its automation companion. Asked for an interface
/// that it does not implement itself, it creates the companion once, keeps it for its own lifetime
/// and answers through it. The companion forwards to its controller and does not own it; every
/// reference handed out, also to the companion's interfaces, keeps the controller alive.
class TWrappableObject : public TInterfacedAndCheckedObject {
public:
    using TCompanionClass = std::function<std::unique_ptr<TCheckedAutoObject>(TWrappableObject& controller)>;

    explicit TWrappableObject(TCompanionClass companionClass = nullptr);
    ~TWrappableObject() override;

    /// Interface I of this object, or of its companion, or nullptr if neither implements it.
    template <typename I> std::shared_ptr<I> GetInterface() {
        std::shared_ptr<TCheckedObject> self = shared_from_this();
        if (auto own = std::dynamic_pointer_cast<I>(self))
            return own;
        TCheckedAutoObject* companion = Companion();
        I* viaCompanion = companion ? dynamic_cast<I*>(companion) : nullptr;
        return viaCompanion ? std::shared_ptr<I>(std::move(self), viaCompanion) : nullptr;
    }

    /// Whether the companion has been created.
    bool HasCompanion() const { return m_companion != nullptr; }

private:
    TCheckedAutoObject* Companion();

    TCompanionClass m_companionClass;
    std::unique_ptr<TCheckedAutoObject> m_companion;
};
