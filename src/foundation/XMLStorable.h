#pragma once

#include "foundation/GUID.h"
#include "foundation/XMLHelper.h"

/// Objects that read themselves from and write themselves into an element. The caller creates or
/// finds the element (usually a child with a fixed name such as "properties") and passes it.
class IXMLStorable {
public:
    virtual ~IXMLStorable() = default;
    virtual void LoadFromXML(const TvrnDomElement& element) = 0;
    virtual void SaveToXML(const TvrnDomElement& element) = 0;
};

inline const TGUID IID_IXMLStorable = TGUID::Constant("{57AEE6AA-4194-4777-B327-7B616E1F49BB}");
