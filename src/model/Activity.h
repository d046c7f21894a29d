#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/VRNTools.h"
#include "model/ActivityInterfaces.h"

class TActivityTree;
class TActivityList;

/// Property names of an activity's own settings.
inline const QString ActivityValueName = QStringLiteral("name");
inline const QString ActivityValueIsBreak = QStringLiteral("isbreak");
inline const QString ActivityValueImageIndex = QStringLiteral("image index");

/// One activity of a tree. Created through Create (never on the stack), because its child list
/// refers back to it. An activity with a non-null ID registers itself in its tree on creation.
/// After Cleanup the object stays usable but inert: IsValid is false, its child list and values
/// are empty and it no longer refers to a tree.
class TActivity : public TWrappableObject, public IHXActivity_, public IActivityElement, public IVRNCleanableObject {
public:
    /// A new activity of tree with the given ID (the null GUID while an element is read; it is
    /// registered by the reader afterwards). tree may be empty for a free-standing activity.
    static std::shared_ptr<TActivity> Create(const std::shared_ptr<TActivityTree>& tree, const TGUID& id);
    ~TActivity() override;

    // IHXActivity_
    std::shared_ptr<IHXPropertyList_> Values() override;
    QString Name() override;
    void SetName(const QString& name) override;
    TGUID ID() const override { return m_id; }
    int ImageIndex() override;
    int Version() const override { return m_version; }
    ActivityListPtr Childs() override;
    ActivityTreePtr Tree() override;
    ActivitySourcePtr Source() override { return m_source; }
    std::shared_ptr<IHXPropertyList_> TempStorage() override;
    int InstanceCount() override { return m_instanceCount; }
    bool IsBreak() override;
    bool IsReadOnly() override;
    bool IsStored() override { return true; }
    bool IsValid() override { return m_isValid; }
    void SetIsBreak(bool isBreak) override;
    void SetInstanceCount(int count) override { m_instanceCount = count; }
    bool IsRemovable() override { return true; }
    void Assign(const ActivityPtr& other) override;
    void Clear() override;
    void ClearTempStorage() override;

    // IActivityElement: the "activity" element of the activities file.
    void LoadFromXML(const TvrnDomElement& element) override;
    void SaveToXML(const TvrnDomElement& element) override;

    // IVRNCleanableObject
    void Cleanup() override;

    void SetSource(const ActivitySourcePtr& source) { m_source = source; }

protected:
    TActivity(const std::shared_ptr<TActivityTree>& tree, const TGUID& id);
    /// Second construction step: the child list needs the shared owner.
    void Init();
    std::shared_ptr<TActivityTree> OwnTree() const { return m_tree.lock(); }

private:
    TGUID m_id;
    std::weak_ptr<TActivityTree> m_tree;
    ActivitySourcePtr m_source;
    std::shared_ptr<TActivityList> m_childs;
    std::shared_ptr<IHXPropertyList_> m_values;
    std::shared_ptr<IHXPropertyList_> m_tempStorage;
    int m_version = 0;
    int m_instanceCount = 0;
    bool m_isValid = true;
};

/// The stand-ins for activities that cannot be found ("<Unknown>", "<Unknown break>"). The tree
/// owns exactly two; they are never saved, never removed and cannot be overwritten.
class TPseudoActivity : public TActivity {
public:
    static std::shared_ptr<TPseudoActivity> Create(const std::shared_ptr<TActivityTree>& tree, const TGUID& id);

    int ImageIndex() override;
    /// Reads as 1 while the counted number is 0.
    int InstanceCount() override;
    bool IsReadOnly() override { return true; }
    bool IsStored() override { return false; }
    bool IsRemovable() override { return false; }
    void Assign(const ActivityPtr&) override {}
    void LoadFromXML(const TvrnDomElement&) override {}

private:
    using TActivity::TActivity;
};
