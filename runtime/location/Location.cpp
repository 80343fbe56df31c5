#include "runtime/location/Location.h"

#include "runtime/text/String.h"

namespace javax::microedition::location {

JavaPtr<java::lang::String> Location::getExtraInfo(JavaPtr<String> mimeType) {
    if (!mimeType || !mimeType->equals(java::lang::jnew<String>("text/plain"))) return nullptr;
    return extraInfo;
}

}  // namespace javax::microedition::location
