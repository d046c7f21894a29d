#include "addins/InternalAddInManager.h"

#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"

void TInternalAddInManager::RegisterInternalAddIn(TInternalAddInClass addInClass) {
    if (!addInClass.create)
        throw EUnassignedArgumentError(QStringLiteral("TInternalAddInManager.RegisterInternalAddIn: ") +
                                       addInClass.className);
    m_classes.push_back(std::move(addInClass));
}

AddInPtr TInternalAddInManager::CreateAddIn(int index) const {
    if (index < 0 || index >= Count())
        throw EVRNListError(QStringLiteral("TInternalAddInManager.CreateAddIn: index ") + IntToWideStr(index) +
                            QStringLiteral(" out of range"));
    const TInternalAddInClass& addInClass = m_classes[static_cast<size_t>(index)];
    AddInPtr addIn = addInClass.create();
    if (!addIn)
        throw EMustNotHappen(QStringLiteral("TInternalAddInManager.CreateAddIn: ") + addInClass.className +
                             QStringLiteral(" made no add-in"));
    return addIn;
}
