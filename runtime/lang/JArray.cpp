#include "runtime/lang/JArray.h"

#include "runtime/lang/Exceptions.h"

namespace java::lang {

void throwArrayIndexOutOfBounds() { throw ArrayIndexOutOfBoundsException(); }

bool instanceofArray(Smart* object, int32_t elementTypeCodeOrId, int32_t dimensions) {
    auto* array = dynamic_cast<ArrayBase*>(object);
    if (!array || array->arrayDimensions() != dimensions) return false;
    if (array->elementTypeCode() != 0) return array->elementTypeCode() == elementTypeCodeOrId;
    return array->elementClassId() == elementTypeCodeOrId;
}

}  // namespace java::lang
