// The canvas's numbered record-store slots: slot s is the store named record_store_prefix + s,
// written whole from the slot's cached records and read back oldest first.
#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "app/framework/HookCanvas.h"
#include "app/quiz/SaveReport.h"
#include "runtime/io/Utf8.h"
#include "runtime/io/rms/RecordEnumeration.h"
#include "runtime/io/rms/RecordStore.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using javax::microedition::rms::RecordStore;
using java::lang::jnew;

namespace {

constexpr int32_t SLOTS = 2;

bool hasSlot(int32_t s) { return s >= 0 && s < SLOTS; }

std::vector<int32_t> recordIds(RecordStore& store) {
    std::vector<int32_t> ids;
    auto all = store.enumerateRecords(nullptr, nullptr, false);
    if (!all) return ids;
    while (all->hasNextElement()) ids.push_back(all->nextRecordId());
    all->destroy();
    return ids;
}

}  // namespace

bool HookCanvas::setRecordStoreData(const JavaPtr<JArray<signed char>>& data, int32_t i) {
    if (!hasSlot(i + 1)) return false;
    auto records = jnew<JArray<JArray<signed char>>>(1);
    records->data[0] = data;
    record_store_cache->data[i + 1] = records;
    return accessRecordStoreWrite(i + 1);
}

bool HookCanvas::setRecordStoreDataMult(const JavaPtr<JArray<JArray<signed char>>>& records, int32_t i) {
    if (!hasSlot(i + 1)) return false;
    record_store_cache->data[i + 1] = records;
    return accessRecordStoreWrite(i + 1);
}

JavaPtr<JArray<signed char>> HookCanvas::getRecordStoreData(int32_t i) {
    auto records = accessRecordStoreRead(i + 1);
    // The newest record: a write killed between adding and deleting leaves the older one before it.
    if (!records || records->length == 0) return nullptr;
    return records->data[records->length - 1];
}

JavaPtr<JArray<JArray<signed char>>> HookCanvas::getRecordStoreDataMult(int32_t i) { return accessRecordStoreRead(i + 1); }

void HookCanvas::accessAllRecordStoresWrite() {
    for (int32_t s = 0; s < SLOTS; ++s) {
        accessRecordStoreWrite(s);
        record_store_cache->data[s] = nullptr;
    }
}

bool HookCanvas::accessRecordStoreWrite(int32_t s) {
    if (!hasSlot(s)) return false;
    const auto records = record_store_cache->data[s];
    if (!records) return false;
    const auto name = record_store_prefix + s;
    JavaPtr<RecordStore> store;
    bool result = false;
    int32_t firstNew = INT_MAX;
    int32_t adding = 0;
    try {
        store = RecordStore::openRecordStore(name, true);
        if (store) {
            int32_t newestOld = -1;
            if (store->getNumRecords() >= 1)
                for (int32_t id : recordIds(*store)) newestOld = std::max(newestOld, id);
            for (adding = 0; adding < records->length; ++adding) {
                const auto& element = records->data[adding];
                if (!element) continue;
                firstNew = std::min(firstNew, store->addRecord(element, 0, element->length));
            }
            if (afterNewRecordsAdded) afterNewRecordsAdded(s);
            if (newestOld != -1)
                for (int32_t id : recordIds(*store))
                    if (id <= newestOld) store->deleteRecord(id);
            result = true;
            savereport::saveWorked();
        }
    } catch (java::lang::Exception& failure) {
        const int32_t index = adding < records->length ? adding : 0;
        const int32_t length = records->data[index] ? records->data[index]->length : 0;
        debug(jnew<String>("ERROR: Problem saving out data ") + s + " (index " + index + ", length " + length +
                  ") to recordstore",
              8);
        const JavaPtr<String> reason = failure.getMessage();
        savereport::saveFailed(reason ? java::io::toUtf8(reason->view()) : std::string("no reason given"));
        if (store && firstNew != INT_MAX) {
            try {
                for (int32_t id : recordIds(*store))
                    if (id >= firstNew) store->deleteRecord(id);
            } catch (const java::lang::Exception&) {
            }
        }
        result = false;
    }
    if (store) {
        try {
            store->closeRecordStore();
        } catch (const java::lang::Exception&) {
        }
    }
    return result;
}

JavaPtr<JArray<JArray<signed char>>> HookCanvas::accessRecordStoreRead(int32_t s) {
    if (!hasSlot(s)) return nullptr;
    JavaPtr<JArray<JArray<signed char>>> result;
    JavaPtr<RecordStore> store;
    try {
        store = RecordStore::openRecordStore(record_store_prefix + s, false);
        if (store) {
            std::vector<int32_t> ids = recordIds(*store);
            std::sort(ids.begin(), ids.end());
            result = jnew<JArray<JArray<signed char>>>(static_cast<int32_t>(ids.size()));
            for (size_t k = 0; k < ids.size(); ++k) result->data[k] = store->getRecord(ids[k]);
        }
    } catch (const java::lang::Exception&) {
    }
    if (store) {
        try {
            store->closeRecordStore();
        } catch (const java::lang::Exception&) {
        }
    }
    return result;
}
