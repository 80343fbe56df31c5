// A hash table from keys to values, both non-null objects, matched by hashCode and equals;
// synchronized on the table's monitor, as in Java.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/lang/Object.h"

namespace java::util {

class Enumeration;

class Hashtable : public java::lang::Object {
    JAVA_CLASS(Hashtable, "java.util.Hashtable", java::lang::Object)
public:
    Hashtable();

    // Replaces the value of an equal key or adds the pair; returns the value replaced, or null.
    // A null key or value throws NullPointerException.
    JavaPtr<java::lang::Object> put(const JavaPtr<java::lang::Object>& key, const JavaPtr<java::lang::Object>& value);
    JavaPtr<java::lang::Object> get(const JavaPtr<java::lang::Object>& key);
    // Returns the value removed, or null when the key was absent.
    JavaPtr<java::lang::Object> remove(const JavaPtr<java::lang::Object>& key);
    int32_t size();

    // Both enumerate the entries as they are at the call, in the same order, so that the
    // n-th key and the n-th value belong together while the table is not changed in between.
    JavaPtr<Enumeration> keys();
    JavaPtr<Enumeration> elements();

private:
    struct Entry {
        JavaPtr<java::lang::Object> key;
        JavaPtr<java::lang::Object> value;
        int32_t hash;
    };
    using Bucket = std::vector<Entry>;

    Bucket& bucketFor(int32_t hash);
    Entry* find(const JavaPtr<java::lang::Object>& key, int32_t hash);
    void grow();
    JavaPtr<Enumeration> snapshot(bool wantKeys);

    std::vector<Bucket> m_buckets;
    int32_t m_count = 0;
};

}  // namespace java::util
