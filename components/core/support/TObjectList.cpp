#include "support/TObjectList.h"

#include <string>

void RaiseListIndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
