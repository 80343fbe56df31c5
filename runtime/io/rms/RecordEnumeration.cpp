#include "runtime/io/rms/RecordEnumeration.h"

#include <algorithm>

#include "runtime/io/rms/InvalidRecordIDException.h"
#include "runtime/io/rms/RecordComparator.h"
#include "runtime/io/rms/RecordFilter.h"
#include "runtime/io/rms/RecordStore.h"
#include "runtime/lang/Exceptions.h"

namespace javax::microedition::rms {

namespace {

struct Candidate {
    int32_t id;
    JavaPtr<JArray<signed char>> record;
};

// A bottom-up merge sort: stable, and std::merge stays inside its ranges even when a
// comparator contradicts itself, which std::sort does not promise.
void sortCandidates(std::vector<Candidate>& candidates, RecordComparator& comparator) {
    const auto precedes = [&](const Candidate& a, const Candidate& b) {
        return comparator.compare(a.record, b.record) == RecordComparator::PRECEDES;
    };
    std::vector<Candidate> merged(candidates.size());
    for (size_t width = 1; width < candidates.size(); width *= 2) {
        for (size_t start = 0; start < candidates.size(); start += 2 * width) {
            const size_t middle = std::min(start + width, candidates.size());
            const size_t end = std::min(start + 2 * width, candidates.size());
            // Equal records keep their order: the right-hand one is taken only when it strictly precedes.
            std::merge(candidates.begin() + start, candidates.begin() + middle, candidates.begin() + middle,
                       candidates.begin() + end, merged.begin() + start, precedes);
        }
        candidates.swap(merged);
    }
}

}  // namespace

RecordEnumeration::RecordEnumeration(JavaPtr<RecordStore> store, JavaPtr<RecordFilter> filter,
                                     JavaPtr<RecordComparator> comparator, bool keepUpdated)
    : m_store(std::move(store)),
      m_filter(std::move(filter)),
      m_comparator(std::move(comparator)),
      m_keepUpdated(keepUpdated) {
    rebuild();
}

void RecordEnumeration::rebuild() {
    // The filter and comparator run outside the store's lock, so they may use the store themselves.
    RecordStore::Snapshot snapshot = m_store->snapshot(m_filter || m_comparator);
    m_revision = snapshot.revision;
    std::vector<Candidate> candidates;
    candidates.reserve(snapshot.ids.size());
    for (size_t i = 0; i < snapshot.ids.size(); ++i) {
        JavaPtr<JArray<signed char>> record = snapshot.records.empty() ? nullptr : snapshot.records[i];
        if (m_filter && !m_filter->matches(record)) continue;
        candidates.push_back({snapshot.ids[i], std::move(record)});
    }
    if (m_comparator) sortCandidates(candidates, *m_comparator);
    m_ids.clear();
    for (const Candidate& candidate : candidates) m_ids.push_back(candidate.id);
    m_position = 0;
}

void RecordEnumeration::requireLive() const {
    if (m_destroyed) throw java::lang::IllegalStateException("the record enumeration has been destroyed");
}

void RecordEnumeration::catchUp() {
    requireLive();
    if (m_keepUpdated && m_store->revision() != m_revision) rebuild();
    while (m_position < m_ids.size() && m_handedOut.contains(m_ids[m_position])) ++m_position;
}

int32_t RecordEnumeration::numRecords() {
    catchUp();
    return static_cast<int32_t>(m_ids.size());
}

bool RecordEnumeration::hasNextElement() {
    catchUp();
    return m_position < m_ids.size();
}

int32_t RecordEnumeration::nextRecordId() {
    catchUp();
    if (m_position >= m_ids.size()) throw InvalidRecordIDException("no record is left in the enumeration");
    const int32_t id = m_ids[m_position++];
    m_handedOut.insert(id);
    return id;
}

JavaPtr<JArray<signed char>> RecordEnumeration::nextRecord() { return m_store->getRecord(nextRecordId()); }

void RecordEnumeration::reset() {
    requireLive();
    m_handedOut.clear();
    m_position = 0;
}

void RecordEnumeration::destroy() {
    requireLive();
    m_destroyed = true;
    m_ids.clear();
    m_handedOut.clear();
    m_filter = nullptr;
    m_comparator = nullptr;
}

}  // namespace javax::microedition::rms
