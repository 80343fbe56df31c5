#include "runtime/io/rms/RecordStore.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <utility>

#include "runtime/io/FileSystem.h"
#include "runtime/io/Utf8.h"
#include "runtime/io/rms/InvalidRecordIDException.h"
#include "runtime/io/rms/RecordEnumeration.h"
#include "runtime/io/rms/RecordStoreFullException.h"
#include "runtime/io/rms/RecordStoreNotFoundException.h"
#include "runtime/io/rms/RecordStoreNotOpenException.h"
#include "runtime/io/rms/StoreDirectory.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/System.h"
#include "runtime/text/String.h"

namespace javax::microedition::rms {

using java::lang::jnew;
using java::lang::String;

namespace {

// The open stores, by documents directory and name, so that opening twice gives one object.
struct OpenStores {
    std::mutex lock;
    std::map<std::pair<std::string, std::u16string>, JavaPtr<RecordStore>> byKey;
};

OpenStores& openStores() {
    static OpenStores* stores = new OpenStores;  // never destroyed: stores may still close during exit
    return *stores;
}

std::u16string_view validName(const JavaPtr<String>& name) {
    if (!name) throw java::lang::NullPointerException();
    const std::u16string_view units = name->view();
    if (units.empty() || units.size() > maxStoreNameLength)
        throw java::lang::IllegalArgumentException("record store names have 1 to 32 characters");
    return units;
}

std::string documentsDirectory() {
    std::string directory = java::io::FileSystem::documentsDirectory();
    if (directory.empty()) throw RecordStoreException("the documents directory has not been set");
    return directory;
}

std::span<const signed char> bytesOf(const JavaPtr<JArray<signed char>>& data, int32_t offset, int32_t numBytes) {
    if (!data) {
        if (numBytes == 0) return {};
        throw java::lang::NullPointerException();
    }
    java::lang::checkArrayRange(data->length, offset, numBytes);
    return {data->data + offset, static_cast<size_t>(numBytes)};
}

JavaPtr<JArray<signed char>> copyOf(const std::vector<signed char>& bytes) {
    if (bytes.empty()) return nullptr;
    auto copy = jnew<JArray<signed char>>(static_cast<int32_t>(bytes.size()));
    std::memcpy(copy->data, bytes.data(), bytes.size());
    return copy;
}

JavaPtr<String> messageOf(const std::string& text) { return java::io::stringFromUtf8(text); }

}  // namespace

RecordStore::RecordStore(std::string directory, int32_t number, StoreContents contents)
    : m_directory(std::move(directory)),
      m_number(number),
      m_name(std::move(contents.name)),
      m_nextRecordId(contents.nextRecordId),
      m_records(std::move(contents.records)) {}

JavaPtr<RecordStore> RecordStore::openRecordStore(const JavaPtr<String>& recordStoreName, bool createIfNecessary) {
    const std::u16string name(validName(recordStoreName));
    OpenStores& stores = openStores();
    std::lock_guard<std::mutex> guard(stores.lock);
    std::string directory = documentsDirectory();
    auto key = std::make_pair(directory, name);
    if (auto open = stores.byKey.find(key); open != stores.byKey.end()) {
        ++open->second->m_openCount;
        return open->second;
    }

    const StoreDirectory files(directory);
    StoreLookup lookup = files.find(name);
    JavaPtr<RecordStore> store;
    if (lookup.number) {
        store = jnew<RecordStore>(directory, *lookup.number, std::move(*lookup.contents));
    } else if (!lookup.damagedFile.empty()) {
        // The damaged file may be this very store: creating a fresh one would hide its loss.
        throw RecordStoreFullException(messageOf("record store file " + lookup.damagedFile + " cannot be read (" +
                                                 lookup.damage + "); it may hold '" + java::io::toUtf8(name) + "'"));
    } else if (!createIfNecessary) {
        throw RecordStoreNotFoundException(recordStoreName);
    } else {
        if (lookup.nextFreeNumber > std::numeric_limits<int32_t>::max())
            throw RecordStoreFullException("no store file number is left");
        const auto number = static_cast<int32_t>(lookup.nextFreeNumber);
        try {
            files.save(number, encodeStoreFile(name, 1, {}));
        } catch (RecordStoreException& failure) {
            throw RecordStoreFullException(failure.getMessage());
        }
        store = jnew<RecordStore>(directory, number, StoreContents{name, 1, {}});
    }
    stores.byKey.emplace(std::move(key), store);
    return store;
}

void RecordStore::deleteRecordStore(const JavaPtr<String>& recordStoreName) {
    const std::u16string name(validName(recordStoreName));
    OpenStores& stores = openStores();
    std::lock_guard<std::mutex> guard(stores.lock);
    const std::string directory = documentsDirectory();
    if (stores.byKey.contains({directory, name})) throw RecordStoreException("cannot delete an open record store");
    const StoreDirectory files(directory);
    const StoreLookup lookup = files.find(name);
    if (!lookup.number) throw RecordStoreNotFoundException(recordStoreName);
    files.remove(*lookup.number);
}

void RecordStore::closeRecordStore() {
    JavaPtr<RecordStore> keepAlive(this);  // the table may hold the last reference; it must outlive the locks
    OpenStores& stores = openStores();
    std::lock_guard<std::mutex> tableGuard(stores.lock);
    std::lock_guard<std::mutex> guard(m_lock);
    requireOpen();
    if (--m_openCount > 0) return;
    m_open = false;
    stores.byKey.erase({m_directory, m_name});
}

void RecordStore::closeAllRecordStores() {
    OpenStores& stores = openStores();
    std::map<std::pair<std::string, std::u16string>, JavaPtr<RecordStore>> closing;
    {
        std::lock_guard<std::mutex> tableGuard(stores.lock);
        closing.swap(stores.byKey);
        for (auto& [key, store] : closing) {
            std::lock_guard<std::mutex> guard(store->m_lock);
            store->m_open = false;
            store->m_openCount = 0;
        }
    }
    // The stores' last references may go here, outside the table's lock.
}

void RecordStore::requireOpen() const {
    if (!m_open) throw RecordStoreNotOpenException();
}

JavaPtr<String> RecordStore::getName() {
    std::lock_guard<std::mutex> guard(m_lock);
    requireOpen();
    return jnew<String>(m_name.data(), static_cast<int32_t>(m_name.size()));
}

int32_t RecordStore::getNumRecords() {
    std::lock_guard<std::mutex> guard(m_lock);
    requireOpen();
    return static_cast<int32_t>(m_records.size());
}

std::vector<StoredRecord>::iterator RecordStore::findRecord(int32_t recordId) {
    auto found = std::lower_bound(m_records.begin(), m_records.end(), recordId,
                                  [](const StoredRecord& record, int32_t id) { return record.id < id; });
    if (found == m_records.end() || found->id != recordId) throw InvalidRecordIDException();
    return found;
}

std::vector<RecordView> RecordStore::viewsOfRecords() const {
    std::vector<RecordView> views;
    views.reserve(m_records.size() + 1);
    for (const StoredRecord& record : m_records) views.push_back({record.id, record.data});
    return views;
}

void RecordStore::save(int32_t nextRecordId, std::span<const RecordView> records) {
    if (encodedStoreSize(m_name.size(), records) > maxStoreFileBytes)
        throw RecordStoreFullException("the record store would exceed its size limit");
    StoreDirectory(m_directory).save(m_number, encodeStoreFile(m_name, nextRecordId, records));
}

int32_t RecordStore::addRecord(const JavaPtr<JArray<signed char>>& data, int32_t offset, int32_t numBytes) {
    const std::span<const signed char> bytes = bytesOf(data, offset, numBytes);
    std::lock_guard<std::mutex> guard(m_lock);
    requireOpen();
    if (m_nextRecordId == std::numeric_limits<int32_t>::max())
        throw RecordStoreFullException("no record id is left");
    const int32_t id = m_nextRecordId;
    std::vector<RecordView> views = viewsOfRecords();
    views.push_back({id, bytes});
    save(id + 1, views);
    m_records.push_back({id, std::vector<signed char>(bytes.begin(), bytes.end())});
    m_nextRecordId = id + 1;
    ++m_revision;
    return id;
}

JavaPtr<JArray<signed char>> RecordStore::getRecord(int32_t recordId) {
    std::lock_guard<std::mutex> guard(m_lock);
    requireOpen();
    return copyOf(findRecord(recordId)->data);
}

void RecordStore::setRecord(int32_t recordId, const JavaPtr<JArray<signed char>>& newData, int32_t offset,
                            int32_t numBytes) {
    const std::span<const signed char> bytes = bytesOf(newData, offset, numBytes);
    std::lock_guard<std::mutex> guard(m_lock);
    requireOpen();
    const auto record = findRecord(recordId);
    std::vector<RecordView> views = viewsOfRecords();
    views[static_cast<size_t>(record - m_records.begin())].data = bytes;
    save(m_nextRecordId, views);
    record->data.assign(bytes.begin(), bytes.end());
    ++m_revision;
}

void RecordStore::deleteRecord(int32_t recordId) {
    std::lock_guard<std::mutex> guard(m_lock);
    requireOpen();
    const auto record = findRecord(recordId);
    std::vector<RecordView> views = viewsOfRecords();
    views.erase(views.begin() + (record - m_records.begin()));
    save(m_nextRecordId, views);
    m_records.erase(record);
    ++m_revision;
}

JavaPtr<RecordEnumeration> RecordStore::enumerateRecords(const JavaPtr<RecordFilter>& filter,
                                                         const JavaPtr<RecordComparator>& comparator,
                                                         bool keepUpdated) {
    return jnew<RecordEnumeration>(JavaPtr<RecordStore>(this), filter, comparator, keepUpdated);
}

RecordStore::Snapshot RecordStore::snapshot(bool withRecords) {
    std::lock_guard<std::mutex> guard(m_lock);
    requireOpen();
    Snapshot result;
    result.revision = m_revision;
    result.ids.reserve(m_records.size());
    for (const StoredRecord& record : m_records) {
        result.ids.push_back(record.id);
        if (withRecords) result.records.push_back(copyOf(record.data));
    }
    return result;
}

uint64_t RecordStore::revision() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_revision;
}

}  // namespace javax::microedition::rms
