#include "model/ActivitySource.h"

#include "foundation/VRNException.h"

void TActivitySource::Assign(const ActivitySourcePtr& other) {
    if (!other)
        throw EUnassignedArgumentError(QStringLiteral("TActivitySource._Assign"));
    m_id = other->ID();
    m_url = other->URL();
}

void TActivitySource::LoadFromXML(const TvrnDomElement& element) {
    m_id = XMLGetGUID(element, QStringLiteral("sourceid"), TGUID());
    m_url = XMLGetString(element, QStringLiteral("url"), QString());
}

void TActivitySource::SaveToXML(const TvrnDomElement& element) {
    XMLSetGUID(element, QStringLiteral("sourceid"), m_id, xsoAttribute);
    XMLSetString(element, QStringLiteral("url"), m_url, xsoAttribute);
}
