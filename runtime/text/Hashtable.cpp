#include "runtime/text/Hashtable.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/text/Enumeration.h"
#include "runtime/text/NoSuchElementException.h"

namespace java::util {

using java::lang::jnew;

using java::lang::Object;

namespace {

constexpr size_t initialBuckets = 11;

// Hands out a copy of the keys or values taken when it was made, so later changes to the
// table cannot invalidate it.
class HashtableEnumerator : public Object, public Enumeration {
    JAVA_CLASS(HashtableEnumerator, "java.util.HashtableEnumerator", Object, Enumeration)
public:
    explicit HashtableEnumerator(std::vector<JavaPtr<Object>> items) : m_items(std::move(items)) {}

    bool hasMoreElements() override {
        auto lock = startSync();
        return m_next < m_items.size();
    }
    JavaPtr<Object> nextElement() override {
        auto lock = startSync();
        if (m_next >= m_items.size()) throw NoSuchElementException();
        return m_items[m_next++];
    }

private:
    std::vector<JavaPtr<Object>> m_items;
    size_t m_next = 0;
};

}  // namespace

Hashtable::Hashtable() : m_buckets(initialBuckets) {}

Hashtable::Bucket& Hashtable::bucketFor(int32_t hash) {
    return m_buckets[(static_cast<uint32_t>(hash) & 0x7FFFFFFFu) % m_buckets.size()];
}

Hashtable::Entry* Hashtable::find(const JavaPtr<Object>& key, int32_t hash) {
    for (Entry& entry : bucketFor(hash))
        if (entry.hash == hash && entry.key->equals(key)) return &entry;
    return nullptr;
}

// Keeps the load below three quarters so that buckets stay short.
void Hashtable::grow() {
    std::vector<Bucket> old(m_buckets.size() * 2 + 1);
    old.swap(m_buckets);
    for (Bucket& bucket : old)
        for (Entry& entry : bucket) bucketFor(entry.hash).push_back(std::move(entry));
}

JavaPtr<Object> Hashtable::put(const JavaPtr<Object>& key, const JavaPtr<Object>& value) {
    if (!key || !value) java::lang::throwNullPointerException();
    auto lock = startSync();
    const int32_t hash = key->hashCode();
    if (Entry* entry = find(key, hash)) {
        JavaPtr<Object> previous = std::move(entry->value);
        entry->value = value;
        return previous;
    }
    if (static_cast<size_t>(m_count + 1) * 4 > m_buckets.size() * 3) grow();
    bucketFor(hash).push_back({key, value, hash});
    ++m_count;
    return nullptr;
}

JavaPtr<Object> Hashtable::get(const JavaPtr<Object>& key) {
    if (!key) java::lang::throwNullPointerException();
    auto lock = startSync();
    Entry* entry = find(key, key->hashCode());
    return entry ? entry->value : nullptr;
}

JavaPtr<Object> Hashtable::remove(const JavaPtr<Object>& key) {
    if (!key) java::lang::throwNullPointerException();
    auto lock = startSync();
    const int32_t hash = key->hashCode();
    Bucket& bucket = bucketFor(hash);
    for (auto it = bucket.begin(); it != bucket.end(); ++it) {
        if (it->hash != hash || !it->key->equals(key)) continue;
        JavaPtr<Object> removed = std::move(it->value);
        bucket.erase(it);
        --m_count;
        return removed;
    }
    return nullptr;
}

int32_t Hashtable::size() {
    auto lock = startSync();
    return m_count;
}

JavaPtr<Enumeration> Hashtable::snapshot(bool wantKeys) {
    auto lock = startSync();
    std::vector<JavaPtr<Object>> items;
    items.reserve(static_cast<size_t>(m_count));
    for (const Bucket& bucket : m_buckets)
        for (const Entry& entry : bucket) items.push_back(wantKeys ? entry.key : entry.value);
    return jnew<HashtableEnumerator>(std::move(items));
}

JavaPtr<Enumeration> Hashtable::keys() { return snapshot(true); }
JavaPtr<Enumeration> Hashtable::elements() { return snapshot(false); }

}  // namespace java::util
