#pragma once

#include "foundation/CheckedObject.h"
#include "model/ActivityInterfaces.h"

#include <memory>

class IHXPropertyList_;
class IHXActivityLocator_;
using ActivityLocatorPtr = std::shared_ptr<IHXActivityLocator_>;

/// How well a locator was resolved (the SDK's TLocatorRelevance).
using TLocatorRelevance = int;
constexpr TLocatorRelevance LocatorRelevanceFound = 1000;
constexpr TLocatorRelevance LocatorRelevanceNotFound = 0;

/// Names an activity by ID and remembers where in the tree it was chosen (Path: the braced IDs
/// of its ancestors from the top-level one down to the direct parent, each followed by "/"), its
/// break flag and its name at that time. A plain value: it refers to no tree and is resolved
/// against whatever tree is passed in.
class IHXActivityLocator_ {
public:
    virtual ~IHXActivityLocator_() = default;
    /// The activity with the locator's ID (relevance 1000); otherwise the tree's unknown break or
    /// unknown activity, by the stored break flag (relevance 0). The path plays no part.
    virtual ActivityPtr FindActivity(const ActivityTreePtr& tree, TLocatorRelevance* relevance = nullptr) const = 0;
    virtual QString GetActivityName(const ActivityTreePtr& tree) const = 0;
    /// The names along the path joined with "/"; ".../" and the name when the path no longer
    /// resolves; the name alone for an empty path. A path piece that is not a GUID raises
    /// EVRNConvertError.
    virtual QString GetActivityPathName(const ActivityTreePtr& tree) const = 0;
    virtual TGUID ID() const = 0;
    virtual QString Path() const = 0;
    virtual bool IsBreak() const = 0;
    virtual QString Name() const = 0;
    virtual void SetIsBreak(bool isBreak) = 0;
    /// Same ID, same path (letter case ignored) and same break flag; names are not compared.
    virtual bool Eq(const ActivityLocatorPtr& other) const = 0;
    virtual bool Changed() const = 0;
    virtual void SetChanged(bool changed) = 0;
    virtual void SetActivity(const ActivityPtr& activity) = 0;
    /// Puts the parent's ID in front of the path.
    virtual void AddParentActivity(const TGUID& parentId) = 0;
    /// A text that is not a GUID in "id" raises EVRNConvertError and leaves the locator unchanged.
    virtual void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) = 0;
    virtual void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const = 0;
    virtual std::shared_ptr<IHXPropertyList_> SaveAsPropertyList() = 0;
    virtual void Assign(const ActivityLocatorPtr& other) = 0;
};

class TActivityLocator : public TWrappableObject, public IHXActivityLocator_ {
public:
    TActivityLocator() = default;

    ActivityPtr FindActivity(const ActivityTreePtr& tree, TLocatorRelevance* relevance = nullptr) const override;
    QString GetActivityName(const ActivityTreePtr& tree) const override;
    QString GetActivityPathName(const ActivityTreePtr& tree) const override;
    TGUID ID() const override { return m_id; }
    QString Path() const override { return m_path; }
    bool IsBreak() const override { return m_isBreak; }
    QString Name() const override { return m_name; }
    void SetIsBreak(bool isBreak) override;
    bool Eq(const ActivityLocatorPtr& other) const override;
    bool Changed() const override { return m_changed; }
    void SetChanged(bool changed) override { m_changed = changed; }
    void SetActivity(const ActivityPtr& activity) override;
    void AddParentActivity(const TGUID& parentId) override;
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) override;
    /// Takes the values LoadFromPropertyList reads from a list.
    void Load(const TGUID& id, const QString& path, bool isBreak, const QString& name);
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& list) const override;
    std::shared_ptr<IHXPropertyList_> SaveAsPropertyList() override;
    void Assign(const ActivityLocatorPtr& other) override;

    /// The activities from the top-level ancestor down to the located one, when every ID of the
    /// path exists, the located activity exists and each one contains the next in its child list;
    /// otherwise empty. A path piece that is not a braced GUID raises EVRNConvertError.
    ActivityListPtr ResolvePath(const ActivityTreePtr& tree) const;

private:
    TGUID m_id;
    QString m_path;
    QString m_name;
    bool m_isBreak = false;
    bool m_changed = false;
};
