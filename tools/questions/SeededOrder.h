// A small seeded generator whose sequence is the same on every machine and library, so that the
// generated questions are byte-identical from the same input.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace questions {

class SeededOrder {
public:
    // Nearby seeds give unrelated sequences.
    explicit SeededOrder(uint64_t seed) : m_state(mix(seed)) {}

    static uint64_t mix(uint64_t value) {
        value += 0x9E3779B97F4A7C15ull;
        value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
        value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
        return value ^ (value >> 31);
    }
    uint64_t next() { return mix(m_state += 0x9E3779B97F4A7C15ull); }
    // A value below bound (which must be positive).
    uint64_t below(uint64_t bound) { return next() % bound; }

    template <class T>
    void shuffle(std::vector<T>& items) {
        for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[below(i)]);
    }

private:
    uint64_t m_state;
};

}  // namespace questions
