#pragma once

#include "foundation/CheckedObject.h"
#include "foundation/XMLStorable.h"
#include "foundation/XMLValues.h"
#include "model/ActivityInterfaces.h"

/// The ID of every tree's local source.
inline const TGUID LocalActivitySourceID = TGUID::Constant("{49550695-91EE-45CF-9B69-8E2F1918BEF5}");

/// Where activities come from: the tree's local source or another one named by URL. As
/// IXMLStorable it reads and writes the attributes "sourceid" and "url" of a "source" element.
class TActivitySource : public TCheckedAutoObject, public IHXActivitySource_, public IXMLStorable {
public:
    /// A source with a fresh random ID.
    TActivitySource() : m_id(TGUID::NewGuid()) {}
    TActivitySource(const TGUID& id, const QString& url) : m_id(id), m_url(url) {}

    TGUID ID() const override { return m_id; }
    void SetID(const TGUID& id) override { m_id = id; }
    QString URL() const override { return m_url; }
    void SetURL(const QString& url) override { m_url = url; }
    void Assign(const ActivitySourcePtr& other) override;

    /// A missing or malformed "sourceid" reads as the null GUID, a missing "url" as "".
    void LoadFromXML(const TvrnDomElement& element) override;
    void SaveToXML(const TvrnDomElement& element) override;

private:
    TGUID m_id;
    QString m_url;
};
