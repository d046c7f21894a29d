#pragma once

#include "model/PropertyInterfaces.h"

/// The property list held by the property of that name, or nullptr when there is none or the
/// property has another type. Unlike AsPropertyList, reading never changes the options tree.
inline std::shared_ptr<IHXPropertyList_> NestedPropertyList(const std::shared_ptr<IHXPropertyList_>& list,
                                                            const QString& name) {
    const auto property = list ? list->Find(name) : nullptr;
    if (!property || property->DataType() != hxpdtPropertyList)
        return nullptr;
    return property->AsPropertyList();
}
