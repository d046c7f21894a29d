#include "addins/AddInManager.h"

#include "addins/InternalAddInManager.h"
#include "foundation/Log.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"
#include "model/PropertyHelpers.h"

#include <QSet>
#include <algorithm>
#include <stdexcept>

namespace {

/// The ID of an add-in, or an empty text when it cannot say (its failure is logged).
QString IdOf(IHXAddIn& addIn, const QString& context) {
    try {
        return addIn.GetID();
    } catch (const std::exception& e) {
        LogException(context, e);
        return QString();
    }
}

bool SameID(const QString& a, const QString& b) {
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

/// Places add-ins after the add-ins they require. An add-in is left out when a requirement is
/// found neither among the add-ins still to place nor among those placed, when a requirement was
/// itself left out (so no add-in ever runs without the ones it needs; a cycle leaves out all its
/// members), or when it raises while being asked.
class TRequirementOrder {
public:
    explicit TRequirementOrder(std::vector<AddInPtr> pending) : m_pending(std::move(pending)) {}

    std::vector<AddInPtr> Run() {
        while (!m_pending.empty())
            Place(m_pending.front());
        return std::move(m_ordered);
    }
    /// The IDs each placed add-in requires, as it gave them.
    QHash<const IHXAddIn*, QStringList> TakeRequirements() { return std::move(m_requirements); }

private:
    /// Removes addIn from the pending list and appends it to the ordered list if its requirements
    /// can be met; returns whether it was placed.
    bool Place(AddInPtr addIn) { // a copy: it is taken out of the list it came from
        m_pending.erase(std::find(m_pending.begin(), m_pending.end(), addIn));
        QString why;
        QStringList requirements;
        try {
            const int count = addIn->RequiresAddInsCount();
            for (int i = 0; i < count && why.isEmpty(); ++i) {
                const QString required = addIn->GetRequiredAddInsID(i);
                requirements << required;
                if (const AddInPtr pending = Find(m_pending, required)) {
                    if (!Place(pending))
                        why = QStringLiteral("the required add-in ") + required + QStringLiteral(" was left out");
                } else if (!Find(m_ordered, required)) {
                    why = QStringLiteral("the required add-in ") + required + QStringLiteral(" is missing");
                }
            }
        } catch (const std::exception& e) {
            why = ExceptionToText(e);
        }
        if (!why.isEmpty()) {
            WriteLog(QStringLiteral("Add-In ") + IdOf(*addIn, QStringLiteral("TAddInManager.LoadAddIns")) +
                     QStringLiteral(" left out: ") + why);
            return false;
        }
        m_ordered.push_back(addIn);
        m_requirements.insert(addIn.get(), requirements);
        return true;
    }

    static AddInPtr Find(const std::vector<AddInPtr>& list, const QString& id) {
        for (const AddInPtr& addIn : list)
            if (SameID(IdOf(*addIn, QStringLiteral("TAddInManager.LoadAddIns")), id))
                return addIn;
        return nullptr;
    }

    std::vector<AddInPtr> m_pending;
    std::vector<AddInPtr> m_ordered;
    QHash<const IHXAddIn*, QStringList> m_requirements;
};

} // namespace

TAddInManager::TAddInManager(const TInternalAddInManager& internalAddIns,
                             std::shared_ptr<IExternalAddInSource> external)
    : m_internal(internalAddIns), m_external(std::move(external)) {}

TAddInManager::~TAddInManager() = default;

void TAddInManager::LoadAddIns(const PropertyListPtr& addinsSection) {
    Clear();
    // 1. The built-in add-ins, in registration order.
    for (int i = 0; i < m_internal.Count(); ++i)
        m_active.push_back(m_internal.CreateAddIn(i));
    // 2. The add-ins of other libraries.
    LoadExternalAddIns_();
    // 3. Everything that could be created.
    m_known = m_active;
    // 4. Switched off by the user.
    Deactivate_(addinsSection);
    // 5. After the add-ins they require.
    OrderByRequirements_();
    // 6. Loading is complete.
    RunOnActive_([](IHXAddIn& addIn) { addIn.Loaded(); });
}

void TAddInManager::LoadExternalAddIns_() {
    if (!m_external)
        return;
    QStringList names;
    try {
        names = m_external->ListAddInNames();
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TAddInManager.LoadAddIns"), e);
        return;
    }
    // A name listed by both the user and the machine is created once: the user's listing wins.
    QSet<QString> seen;
    for (const QString& name : names) {
        const QString key = name.toLower();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        try {
            AddInPtr addIn = m_external->CreateAddIn(name);
            if (!addIn)
                throw EVRNException(QStringLiteral("the library made no add-in"));
            m_externalNames.insert(addIn.get(), name);
            m_active.push_back(std::move(addIn));
        } catch (const std::exception& e) {
            LogCannotLoad_(name, e);
        }
    }
}

void TAddInManager::LogCannotLoad_(const QString& name, const std::exception& e) {
    // Written at the normal level: whoever installed the add-in looks here for the reason.
    WriteLog(QStringLiteral("Cannot load Add-In \"") + name + QStringLiteral("\": ") + ExceptionClassName(e) +
             QStringLiteral(" - ") + GetExceptionMessage(e));
}

void TAddInManager::RunOnActive_(const std::function<void(IHXAddIn&)>& step) {
    // A copy: an add-in may look at the list while it runs.
    const std::vector<AddInPtr> active = m_active;
    for (const AddInPtr& addIn : active) {
        if (std::find(m_active.begin(), m_active.end(), addIn) == m_active.end())
            continue; // left the list with an add-in it requires
        const auto external = m_externalNames.constFind(addIn.get());
        if (external == m_externalNames.cend()) {
            step(*addIn); // a built-in add-in that fails ends the start-up
            continue;
        }
        try {
            step(*addIn);
        } catch (const std::exception& e) {
            // An add-in of another library must not keep the program from starting (and its
            // user from reaching the page that switches it off): it leaves the active list.
            LogCannotLoad_(external.value(), e);
            m_active.erase(std::find(m_active.begin(), m_active.end(), addIn));
            DropThoseRequiring_(*addIn);
        }
    }
}

void TAddInManager::DropThoseRequiring_(IHXAddIn& failed) {
    // The IDs of the add-ins gone; the list grows as the chains are followed.
    QStringList gone{IdOf(failed, QStringLiteral("TAddInManager.LoadAddIns"))};
    for (qsizetype i = 0; i < gone.size(); ++i) {
        const QString goneID = gone[i];
        for (auto it = m_active.begin(); it != m_active.end();) {
            const QStringList requirements = m_requirements.value(it->get());
            const bool needsIt = std::any_of(requirements.begin(), requirements.end(),
                                             [&goneID](const QString& id) { return SameID(id, goneID); });
            if (!needsIt) {
                ++it;
                continue;
            }
            const QString id = IdOf(**it, QStringLiteral("TAddInManager.LoadAddIns"));
            WriteLog(QStringLiteral("Add-In ") + id + QStringLiteral(" left out: the required add-in ") + goneID +
                     QStringLiteral(" failed"));
            gone << id;
            it = m_active.erase(it);
        }
    }
}

void TAddInManager::Deactivate_(const PropertyListPtr& addinsSection) {
    for (auto it = m_active.end(); it != m_active.begin();) {
        --it;
        try {
            IHXAddIn& addIn = **it;
            if (addIn.AllowDeactivate() && !FindBooleanDef(addinsSection, addIn.GetID(), true))
                it = m_active.erase(it);
        } catch (const std::exception& e) {
            // An add-in that cannot be examined stays.
            LogException(QStringLiteral("TAddInManager.LoadAddIns"), e);
        }
    }
}

void TAddInManager::OrderByRequirements_() {
    TRequirementOrder order(std::move(m_active));
    m_active = order.Run();
    m_requirements = order.TakeRequirements();
}

void TAddInManager::LaunchAddIns(const std::shared_ptr<IApplication_>& application) {
    RunOnActive_([&application](IHXAddIn& addIn) { addIn.LaunchAddIn(application); });
}

AddInPtr TAddInManager::FindAddIn(const QString& id) const {
    for (const AddInPtr& addIn : m_active)
        if (SameID(IdOf(*addIn, QStringLiteral("TAddInManager.FindAddIn")), id))
            return addIn;
    return nullptr;
}

AddInPtr TAddInManager::GetAddIn(int index) const {
    if (index < 0 || index >= GetAddInCount())
        throw EVRNListError(QStringLiteral("TAddInManager.GetAddIn: index ") + IntToWideStr(index) +
                            QStringLiteral(" out of range"));
    return m_known[static_cast<size_t>(index)];
}

void TAddInManager::Clear() {
    std::vector<AddInPtr> active = std::move(m_active);
    std::vector<AddInPtr> known = std::move(m_known);
    m_active.clear();
    m_known.clear();
    m_externalNames.clear();
    m_requirements.clear();
}
