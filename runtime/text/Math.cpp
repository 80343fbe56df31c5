#include "runtime/text/Math.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace java::lang {

namespace {

// Valid on [-pi/4, pi/4], where the first dropped terms stay below 4e-6.
double sineSeries(double x) {
    const double x2 = x * x;
    return x * (1 - x2 / 6 * (1 - x2 / 20 * (1 - x2 / 42)));
}
double cosineSeries(double x) {
    const double x2 = x * x;
    return 1 - x2 / 2 * (1 - x2 / 12 * (1 - x2 / 30));
}

// The first 1216 bits of 2/pi after the binary point, most significant first: enough for the
// largest double's exponent plus the 192-bit window the reduction multiplies by.
constexpr uint64_t TWO_OVER_PI_BITS[] = {
    0xA2F9836E4E441529, 0xFC2757D1F534DDC0, 0xDB6295993C439041, 0xFE5163ABDEBBC561, 0xB7246E3A424DD2E0,
    0x06492EEA09D1921C, 0xFE1DEB1CB129A73E, 0xE88235F52EBB4484, 0xE99C7026B45F7E41, 0x3991D639835339F4,
    0x9C845F8BBDF9283B, 0x1FF897FFDE05980F, 0xEF2F118B5A0A6D1F, 0x6D367ECF27CB09B7, 0x4F463F669E5FEA2D,
    0x7527BAC7EBE5F17B, 0x3D0739F78A5292EA, 0x6BFB5FB11F8D5D08, 0x56033046FC7B6BAB,
};
constexpr int32_t TABLE_BITS = 64 * static_cast<int32_t>(std::size(TWO_OVER_PI_BITS));

// 64 bits of 2/pi starting at bit `first` (bit 1 is the first after the point); zeros past the table.
uint64_t twoOverPiWord(int32_t first) {
    const auto bitAt = [](int32_t bit) -> uint64_t {
        if (bit < 1 || bit > TABLE_BITS) return 0;
        const int32_t index = bit - 1;
        return (TWO_OVER_PI_BITS[index / 64] >> (63 - index % 64)) & 1;
    };
    const int32_t index = first - 1;
    if (index >= 0 && index % 64 == 0 && first + 63 <= TABLE_BITS) return TWO_OVER_PI_BITS[index / 64];
    uint64_t word = 0;
    for (int32_t i = 0; i < 64; ++i) word = (word << 1) | bitAt(first + i);
    return word;
}

// A 320-bit unsigned number, least significant limb first.
struct Wide {
    uint64_t limb[5] = {};

    // Bits [low, low + 64) as a word; bits past the top read as zero.
    uint64_t bits(int32_t low) const {
        const int32_t index = low / 64, shift = low % 64;
        const uint64_t lower = index < 5 ? limb[index] : 0;
        const uint64_t upper = index + 1 < 5 ? limb[index + 1] : 0;
        return shift == 0 ? lower : (lower >> shift) | (upper << (64 - shift));
    }
};

// The angle reduced to [-pi/4, pi/4] plus the quarter turns (0 to 3) taken off it.
struct Reduced {
    double angle;
    int quarter;
};

// Exact reduction for any finite angle: |x| = m * 2^e is multiplied by a 192-bit window of 2/pi's
// bits, chosen so that the bits skipped above it only add whole turns. The 128 fraction bits kept
// hold even the nearest doubles to a multiple of pi/2, which lie about 2^-61 from it.
Reduced reduce(double radians) {
    const double magnitude = std::fabs(radians);
    if (magnitude <= Math::PI / 4) return {radians, 0};
    int exponent = 0;
    const double mantissa = std::frexp(magnitude, &exponent);  // [0.5, 1)
    const auto m = static_cast<uint64_t>(std::ldexp(mantissa, 53));
    const int32_t e = exponent - 53;  // magnitude = m * 2^e, e >= -53 here
    constexpr int32_t WINDOW = 192;
    const int32_t first = e - 1 > 1 ? e - 1 : 1;
    const uint64_t window[3] = {twoOverPiWord(first + 128), twoOverPiWord(first + 64), twoOverPiWord(first)};
    Wide product;
    for (int i = 0; i < 3; ++i) {
        const unsigned __int128 part = static_cast<unsigned __int128>(m) * window[i];
        unsigned __int128 sum = static_cast<unsigned __int128>(product.limb[i]) + static_cast<uint64_t>(part);
        product.limb[i] = static_cast<uint64_t>(sum);
        sum = static_cast<unsigned __int128>(product.limb[i + 1]) + static_cast<uint64_t>(part >> 64) +
              static_cast<uint64_t>(sum >> 64);
        product.limb[i + 1] = static_cast<uint64_t>(sum);
        for (int k = i + 2; k < 5 && (sum >> 64) != 0; ++k) {
            sum = static_cast<unsigned __int128>(product.limb[k]) + 1;
            product.limb[k] = static_cast<uint64_t>(sum);
        }
    }
    // product * 2^-point is |x| * 2/pi less a multiple of 4.
    const int32_t point = first + WINDOW - 1 - e;
    int quarter = static_cast<int>(product.bits(point) & 3);
    const uint64_t high = product.bits(point - 64);
    const uint64_t low = product.bits(point - 128);
    double fraction = std::ldexp(static_cast<double>(high), -64) + std::ldexp(static_cast<double>(low), -128);
    if (high >> 63) {  // past half a quarter: the nearer quarter is the next one
        fraction = -(std::ldexp(static_cast<double>(~high), -64) + std::ldexp(static_cast<double>(~low) + 1, -128));
        quarter = (quarter + 1) & 3;
    }
    double angle = fraction * (Math::PI / 2);
    if (radians < 0) {
        angle = -angle;
        quarter = (4 - quarter) & 3;
    }
    return {angle, quarter};
}

}  // namespace

double Math::sin(double radians) {
    if (!std::isfinite(radians)) return std::numeric_limits<double>::quiet_NaN();
    const Reduced r = reduce(radians);
    switch (r.quarter) {
        case 0: return sineSeries(r.angle);
        case 1: return cosineSeries(r.angle);
        case 2: return -sineSeries(r.angle);
        default: return -cosineSeries(r.angle);
    }
}

double Math::cos(double radians) {
    if (!std::isfinite(radians)) return std::numeric_limits<double>::quiet_NaN();
    const Reduced r = reduce(radians);
    switch (r.quarter) {
        case 0: return cosineSeries(r.angle);
        case 1: return -sineSeries(r.angle);
        case 2: return -cosineSeries(r.angle);
        default: return sineSeries(r.angle);
    }
}

// Newton's iteration from x/2. Waiting for two equal successive values can cycle for ever
// between two neighbouring doubles, so it stops as soon as an estimate fails to go down:
// after the first step every estimate lies above the root, and a strictly falling sequence
// of doubles must end.
double Math::sqrt(double value) {
    if (std::isnan(value) || value < 0) return std::numeric_limits<double>::quiet_NaN();
    if (value == 0 || std::isinf(value)) return value;
    double estimate = value / 2;
    if (estimate == 0) estimate = value;  // the smallest denormal halves to zero
    estimate = (value / estimate + estimate) / 2;
    for (;;) {
        const double next = (value / estimate + estimate) / 2;
        if (!(next < estimate)) return estimate;
        estimate = next;
    }
}

}  // namespace java::lang
