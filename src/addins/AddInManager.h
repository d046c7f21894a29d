#pragma once

// TAddInManager: loads the built-in add-ins and those of other libraries at start-up, drops the
// ones the user switched off in the options section "addins", orders the rest so that each comes
// after the add-ins it requires, tells each that loading is complete and launches them.
//
// Two lists: the active list (the add-ins that take part, in launch order) and the known list
// (every add-in that could be created, switched-off ones included, in creation order).

#include "addins/AddIn.h"
#include "addins/ApplicationInterface.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class TInternalAddInManager;

/// Where the add-ins of other libraries come from: the names the user and the machine list, and
/// the loader that creates the add-in of a name.
class IExternalAddInSource {
public:
    IExternalAddInSource() = default;
    virtual ~IExternalAddInSource() = default;
    IExternalAddInSource(const IExternalAddInSource&) = delete;
    IExternalAddInSource& operator=(const IExternalAddInSource&) = delete;

    /// The names listed, the current user's first, then the machine's, each in the order listed;
    /// names marked as not to be loaded are left out.
    virtual QStringList ListAddInNames() = 0;
    /// Creates the add-in of that name; raises when it cannot.
    virtual AddInPtr CreateAddIn(const QString& name) = 0;
};

class TAddInManager {
public:
    /// internalAddIns must outlive the manager; external may be null (no add-ins of other
    /// libraries).
    explicit TAddInManager(const TInternalAddInManager& internalAddIns,
                           std::shared_ptr<IExternalAddInSource> external = nullptr);
    ~TAddInManager();
    TAddInManager(const TAddInManager&) = delete;
    TAddInManager& operator=(const TAddInManager&) = delete;

    /// The load phase: the built-in add-ins, then those of other libraries (a name listed twice is
    /// created once, the first listing wins; one that fails is logged and left out); the known
    /// list; the add-ins switched off in addinsSection (walking from last to first, only over
    /// add-ins that allow it; a missing or unreadable value counts as on); the order by
    /// requirements; Loaded for each. A failure in Loaded of a built-in add-in is raised; an add-in
    /// of another library that fails is logged and leaves the active list (it stays known), and
    /// with it every add-in that requires it, directly or through others (each logged, each known).
    void LoadAddIns(const PropertyListPtr& addinsSection);
    /// LaunchAddIn for each active add-in in order; a failure is raised, except an add-in of another
    /// library's, which is logged and leaves the active list with those that require it.
    void LaunchAddIns(const std::shared_ptr<IApplication_>& application);

    /// The first active add-in with that ID (compared without regard to case), or none.
    AddInPtr FindAddIn(const QString& id) const;
    /// The known list.
    int GetAddInCount() const { return static_cast<int>(m_known.size()); }
    /// Raises EVRNListError for an index outside the known list.
    AddInPtr GetAddIn(int index) const;
    /// The active list in its order.
    const std::vector<AddInPtr>& ActiveAddIns() const { return m_active; }

    /// Releases every add-in (they keep the application: this ends the cycle).
    void Clear();

private:
    void LoadExternalAddIns_();
    void Deactivate_(const PropertyListPtr& addinsSection);
    void OrderByRequirements_();
    static void LogCannotLoad_(const QString& name, const std::exception& e);
    /// Runs step for each active add-in in order. A built-in add-in's failure is raised; an
    /// external add-in that fails is logged and leaves the active list (it stays known).
    void RunOnActive_(const std::function<void(IHXAddIn&)>& step);
    /// Takes out of the active list, logging each, every add-in requiring failed, directly or
    /// through others: none runs without the add-ins it needs.
    void DropThoseRequiring_(IHXAddIn& failed);

    const TInternalAddInManager& m_internal;
    std::shared_ptr<IExternalAddInSource> m_external;
    std::vector<AddInPtr> m_active;
    std::vector<AddInPtr> m_known;
    /// The add-ins of other libraries, with the names they were listed under.
    QHash<const IHXAddIn*, QString> m_externalNames;
    /// The IDs each active add-in requires, read while ordering.
    QHash<const IHXAddIn*, QStringList> m_requirements;
};
