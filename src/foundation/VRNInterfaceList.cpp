#include "foundation/VRNInterfaceList.h"

void RaiseListIndexError(int index) {
    throw EVRNListError(QStringLiteral("List index out of bounds (") + QString::number(index) + QStringLiteral(")"));
}
