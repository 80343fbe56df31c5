// Short-hands for the record-store tests: names, text records and the contents of a store.
#pragma once

#include <string>
#include <vector>

#include "runtime/io/rms/RecordEnumeration.h"
#include "runtime/io/rms/RecordStore.h"
#include "runtime/text/String.h"

namespace storetest {

using Bytes = JavaPtr<JArray<signed char>>;
using javax::microedition::rms::RecordStore;

inline JavaPtr<String> name(const char* text) { return java::lang::jnew<String>(text); }

inline Bytes text(const std::string& chars) {
    auto bytes = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(chars.size()));
    std::copy(chars.begin(), chars.end(), bytes->data);
    return bytes;
}

inline std::string asText(const Bytes& bytes) {
    return bytes ? std::string(bytes->data, bytes->data + bytes->length) : "";
}

inline int32_t add(const JavaPtr<RecordStore>& store, const std::string& chars) {
    return store->addRecord(text(chars), 0, static_cast<int32_t>(chars.size()));
}

inline JavaPtr<RecordStore> open(const char* storeName, bool create = true) {
    return RecordStore::openRecordStore(name(storeName), create);
}

// Every record as "id=text", in store order.
inline std::vector<std::string> contentsOf(const JavaPtr<RecordStore>& store) {
    std::vector<std::string> contents;
    for (auto records = store->enumerateRecords(nullptr, nullptr, false); records->hasNextElement();) {
        const int32_t id = records->nextRecordId();
        contents.push_back(std::to_string(id) + "=" + asText(store->getRecord(id)));
    }
    return contents;
}

}  // namespace storetest
