// Hands out a store's records once each, chosen by a filter and ordered by a comparator.
// Used by one thread at a time.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace javax::microedition::rms {

class RecordStore;
class RecordFilter;
class RecordComparator;

class RecordEnumeration : public java::lang::Object {
    JAVA_CLASS(RecordEnumeration, "javax.microedition.rms.RecordEnumeration", Object)
public:
    // Made by RecordStore::enumerateRecords. With keepUpdated the set follows later changes
    // to the store, still handing out each record at most once.
    RecordEnumeration(JavaPtr<RecordStore> store, JavaPtr<RecordFilter> filter, JavaPtr<RecordComparator> comparator,
                      bool keepUpdated);

    int32_t numRecords();
    bool hasNextElement();
    // InvalidRecordIDException when no record is left.
    int32_t nextRecordId();
    // A copy of the next record (null for 0 bytes); InvalidRecordIDException when it has been deleted.
    JavaPtr<JArray<signed char>> nextRecord();
    // Starts again from the first record.
    void reset();
    // Later calls throw IllegalStateException.
    void destroy();

private:
    void requireLive() const;
    void rebuild();
    // Rebuilds when following a changed store, then moves past records already handed out.
    void catchUp();

    JavaPtr<RecordStore> m_store;
    JavaPtr<RecordFilter> m_filter;
    JavaPtr<RecordComparator> m_comparator;
    bool m_keepUpdated;
    bool m_destroyed = false;
    std::vector<int32_t> m_ids;
    size_t m_position = 0;
    std::set<int32_t> m_handedOut;
    uint64_t m_revision = 0;
};

}  // namespace javax::microedition::rms
