// A named, persistent list of byte records. Every change is on disk when the call returns;
// record ids start at 1 and are never reused. One store object may be used from several threads.
#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "runtime/io/rms/StoreFileFormat.h"
#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace javax::microedition::rms {

class RecordEnumeration;
class RecordFilter;
class RecordComparator;

class RecordStore : public java::lang::Object {
    JAVA_CLASS(RecordStore, "javax.microedition.rms.RecordStore", Object)
public:
    // Opening a store that is already open gives the same object; each open needs its close.
    // IllegalArgumentException for a name of 0 or more than 32 units; RecordStoreNotFoundException
    // when missing and not to be created; RecordStoreFullException when its file cannot be created
    // or read, or when a damaged store file might be the one asked for.
    static JavaPtr<RecordStore> openRecordStore(const JavaPtr<java::lang::String>& recordStoreName,
                                                bool createIfNecessary);
    // RecordStoreException while the store is open, RecordStoreNotFoundException when missing.
    static void deleteRecordStore(const JavaPtr<java::lang::String>& recordStoreName);

    // At teardown: every open store is closed however often it was opened. A change in progress
    // on another thread finishes first, so no store file is left half-written.
    static void closeAllRecordStores();

    void closeRecordStore();
    JavaPtr<java::lang::String> getName();
    int32_t getNumRecords();
    // Null data is allowed for 0 bytes. RecordStoreFullException when the store would exceed its
    // bound or the disk is full; the store is then as before.
    int32_t addRecord(const JavaPtr<JArray<signed char>>& data, int32_t offset, int32_t numBytes);
    // A copy of the record; null for a record of 0 bytes.
    JavaPtr<JArray<signed char>> getRecord(int32_t recordId);
    void setRecord(int32_t recordId, const JavaPtr<JArray<signed char>>& newData, int32_t offset, int32_t numBytes);
    void deleteRecord(int32_t recordId);
    // Without filter and comparator the records come in the order they were added.
    JavaPtr<RecordEnumeration> enumerateRecords(const JavaPtr<RecordFilter>& filter,
                                                const JavaPtr<RecordComparator>& comparator, bool keepUpdated);

    // Made only by openRecordStore.
    RecordStore(std::string directory, int32_t number, StoreContents contents);

private:
    friend class RecordEnumeration;
    struct Snapshot {
        std::vector<int32_t> ids;
        std::vector<JavaPtr<JArray<signed char>>> records;  // filled only when asked for
        uint64_t revision = 0;
    };

    void requireOpen() const;
    std::vector<StoredRecord>::iterator findRecord(int32_t recordId);
    // Writes the store as it would be with the change; the in-memory store is untouched.
    void save(int32_t nextRecordId, std::span<const RecordView> records);
    std::vector<RecordView> viewsOfRecords() const;
    Snapshot snapshot(bool withRecords);
    uint64_t revision();

    std::mutex m_lock;
    const std::string m_directory;
    const int32_t m_number;
    const std::u16string m_name;
    int32_t m_nextRecordId;
    std::vector<StoredRecord> m_records;
    uint64_t m_revision = 0;
    bool m_open = true;
    int32_t m_openCount = 1;  // guarded by the table of open stores
};

}  // namespace javax::microedition::rms
