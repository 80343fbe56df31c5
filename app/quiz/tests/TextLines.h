// A String[] of the given lines, as the quiz's split texts are.
#pragma once

#include <initializer_list>

#include "runtime/lang/JArray.h"
#include "runtime/text/String.h"

inline JavaPtr<JArray<java::lang::String>> textLines(std::initializer_list<const char*> texts) {
    auto out = java::lang::jnew<JArray<java::lang::String>>(static_cast<int32_t>(texts.size()));
    int32_t i = 0;
    for (const char* text : texts) out->data[i++] = java::lang::jnew<java::lang::String>(text);
    return out;
}
