#pragma once

// A table of providers by their ID, as the controller keeps one for storage providers and one for
// entry providers.

#include "foundation/GUID.h"
#include "foundation/VRNException.h"

#include <QHash>
#include <functional>
#include <memory>

template <typename Provider, typename RegisterError, typename NotFoundError> class TProviderRegistry {
public:
    using ProviderPtr = std::shared_ptr<Provider>;

    /// kind: "Storage provider" or "Entry provider" (the start of the error texts).
    TProviderRegistry(QString kind, std::function<TGUID(Provider&)> idOf)
        : m_kind(std::move(kind)), m_idOf(std::move(idOf)) {}

    /// Adds provider under the ID it reports; an ID that is taken raises RegisterError
    /// "<kind> with ID '<id>' is already registered." and keeps the first provider.
    void Register(const ProviderPtr& provider) {
        if (!provider)
            throw EUnassignedArgumentError(QStringLiteral("THXApplication.Register: no ") + m_kind.toLower());
        const TGUID id = m_idOf(*provider);
        if (m_providers.contains(id))
            throw RegisterError(m_kind + QStringLiteral(" with ID '") + id.ToString() +
                                QStringLiteral("' is already registered."));
        m_providers.insert(id, provider);
    }

    /// The provider of that ID; a missing one raises NotFoundError "No <kind> found for ID '<id>'".
    ProviderPtr Get(const TGUID& id) const {
        const auto it = m_providers.constFind(id);
        if (it == m_providers.constEnd())
            throw NotFoundError(QStringLiteral("No ") + m_kind.toLower() + QStringLiteral(" found for ID '") +
                                id.ToString() + u'\'');
        return it.value();
    }

    bool Contains(const TGUID& id) const { return m_providers.contains(id); }
    int Count() const { return static_cast<int>(m_providers.size()); }
    void Clear() { m_providers.clear(); }

private:
    QString m_kind;
    std::function<TGUID(Provider&)> m_idOf;
    QHash<TGUID, ProviderPtr> m_providers;
};
