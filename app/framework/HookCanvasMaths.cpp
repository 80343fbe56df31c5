// Fixed-point maths (10 fractional bits), the shared 48-bit random generator and big-endian numbers
// in byte arrays. Results follow the 32-bit steps of the original arithmetic wherever those stay in
// range; a step that would overflow is taken in 64 bits instead.
#include <climits>
#include <mutex>

#include "app/framework/HookCanvas.h"

namespace {

constexpr int32_t FPI = HookCanvas::FPI;
constexpr int32_t TWO_PI = 6434;
constexpr int32_t THREE_QUARTER_PI = 2412;
constexpr int32_t HALF_PI = 1608;
constexpr int32_t QUARTER_PI = 804;
constexpr int64_t HALF_TURN_FDEG = 184320;
constexpr int64_t TURN_FDEG = 368640;

int32_t low32(int64_t value) { return static_cast<int32_t>(static_cast<uint64_t>(value)); }

int64_t magnitude(int32_t value) { return value < 0 ? -static_cast<int64_t>(value) : value; }

// The result's sign is the product's: negated (in 32 bits) when exactly one operand is negative.
int32_t withSignOf(int32_t a, int32_t b, int64_t unsignedResult) {
    const auto bits = static_cast<uint32_t>(static_cast<uint64_t>(unsignedResult));
    return static_cast<int32_t>((a < 0) != (b < 0) ? 0u - bits : bits);
}

// Brings an angle into [-pi, pi] by whole turns, as repeated steps of 2 pi would.
int32_t reduceRadians(int32_t x) {
    int64_t wide = x;
    if (wide > FPI) wide -= (wide - FPI + TWO_PI - 1) / TWO_PI * TWO_PI;
    if (wide < -FPI) wide += (-FPI - wide + TWO_PI - 1) / TWO_PI * TWO_PI;
    return static_cast<int32_t>(wide);
}

int32_t cosSeries(int32_t x) {
    const int32_t s = x * x;
    return 1024 - (s >> 11) + ((s * (s >> 11)) / 3 >> 22);
}

int32_t sinSeries(int32_t x) {
    const int32_t s = x * x;
    const int32_t c = ((x * s) / 3) >> 21;
    return x - c + ((s * c) / 5 >> 22);
}

int32_t radiansToFDeg(int64_t x) {
    if (x < 0) return -radiansToFDeg(-x);
    return static_cast<int32_t>(((x % TWO_PI) * HALF_TURN_FDEG + HALF_PI) / FPI);
}

int32_t fdegToRadians(int64_t d) {
    if (d < 0) return -fdegToRadians(-d);
    return static_cast<int32_t>(((d % TURN_FDEG) * FPI + HALF_TURN_FDEG / 2) / HALF_TURN_FDEG);
}

// atan2(u, v) in fixed-point radians, on 64-bit inputs so that negating the most negative int is
// defined.
int32_t vectorAngle(int64_t u, int64_t v) {
    if (u < 0 && v < 0) return vectorAngle(-u, -v) - FPI;
    if (u < 0) return -vectorAngle(-u, v);
    if (v < 0) return FPI - vectorAngle(u, -v);
    if (v < u) return HALF_PI - vectorAngle(v, u);
    if (u == 0 && v == 0) return 0;
    while (u < 2048 && v < 2048) {
        u <<= 1;
        v <<= 1;
    }
    while (u > 4096 || v > 4096) {
        u >>= 1;
        v >>= 1;
    }
    const int32_t r = HookCanvas::sqrt(static_cast<int32_t>(u * u + v * v));
    const int32_t s = static_cast<int32_t>(u * 1024 / r);
    const int32_t q = s * s;
    int32_t p = (q * 46) >> 20;
    p = (q * (p + 77)) >> 20;
    p = (q * (p + 171)) >> 20;
    return (s * (p + 1024)) >> 10;
}

// The largest r with r^3 <= value.
int64_t integerCubeRoot(int64_t value) {
    int64_t low = 0, high = 1 << 18;
    while (low < high) {
        const int64_t middle = (low + high + 1) / 2;
        if (middle * middle * middle <= value) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

std::mutex intSeedLock;

}  // namespace

int32_t HookCanvas::iToF(int32_t i) { return i << PARAM_WL_MATHS_FP_SHIFT; }

int32_t HookCanvas::FToi(int32_t f) { return f / 1024; }

int32_t HookCanvas::FToiNearest(int32_t f) {
    const int64_t rounded = (magnitude(f) + 512) >> 10;
    return low32(f < 0 ? -rounded : rounded);
}

int32_t HookCanvas::Fmul(int32_t a, int32_t b) { return withSignOf(a, b, (magnitude(a) * magnitude(b)) >> 10); }

int64_t HookCanvas::FmulToLong(int32_t a, int32_t b) { return (static_cast<int64_t>(a) * b) >> 10; }

int32_t HookCanvas::Fdiv(int32_t a, int32_t b) {
    if (b == 0) return a > 0 ? INT_MAX : a < 0 ? INT_MIN : 0;
    const int64_t reciprocal = 0x40000000 / magnitude(b);
    return withSignOf(a, b, (magnitude(a) * reciprocal) >> 20);
}

int32_t HookCanvas::sqrt(int32_t a) {
    if (a <= 0) return a;
    int64_t guess = a > 0x1000000 ? a >> 12 : a > 0x10000 ? a >> 8 : a > 0x100 ? a >> 4 : a;
    for (;;) {
        const int64_t next = (a / guess + guess) >> 1;
        if (guess > next && next > 0) {
            guess = next;
            continue;
        }
        return static_cast<int32_t>(next);
    }
}

int32_t HookCanvas::cbrt(int32_t a) {
    if (a <= 0) return a;
    // The square is taken in 64 bits: the first guess for the largest inputs squares past 2^31.
    int64_t guess = a > 0x5A8279 ? a >> 15 : a > 32768 ? a >> 10 : a > 181 ? a >> 5 : a;
    for (;;) {
        const int64_t next = guess + (a / (guess * guess) - guess) / 3;
        if (guess > next && next > 0) {
            guess = next;
            continue;
        }
        return static_cast<int32_t>(next);
    }
}

int32_t HookCanvas::Fsqrt(int32_t f) {
    if (f <= 0) return f;
    if (f < (1 << 20)) return sqrt(f * 1024);
    return sqrt(f) * 32;
}

int32_t HookCanvas::Fcbrt(int32_t f) {
    if (f <= 0) return f;
    if (f < 1024) return cbrt(f << 20);
    if (f < (1 << 20)) return cbrt(f << 11) * 8;
    // Where the 32-bit forms overflow: the cube root of f x 2^20 itself.
    if (f >= (1 << 25) && f < (1 << 29)) return cbrt(f * 4) * 64;
    return static_cast<int32_t>(integerCubeRoot(static_cast<int64_t>(f) << 20));
}

int32_t HookCanvas::Fcos(int32_t x) {
    x = reduceRadians(x);
    if (x > THREE_QUARTER_PI) return -Fcos(FPI - x);
    if (x > QUARTER_PI) return Fsin(HALF_PI - x);
    if (x < -THREE_QUARTER_PI) return -Fcos(x + FPI);
    if (x < -QUARTER_PI) return Fsin(x + HALF_PI);
    return cosSeries(x);
}

int32_t HookCanvas::Fsin(int32_t x) {
    x = reduceRadians(x);
    if (x > THREE_QUARTER_PI) x = FPI - x;
    if (x > QUARTER_PI) return Fcos(x - HALF_PI);
    if (x < -THREE_QUARTER_PI) return -Fsin(x + FPI);
    if (x < -QUARTER_PI) return -Fcos(x + HALF_PI);
    return sinSeries(x);
}

namespace {

int32_t wholeDegreesToRadians(int32_t degrees) {
    int64_t d = degrees;
    if (d > 180) d -= (d - 180 + 359) / 360 * 360;
    if (d < -180) d += (-180 - d + 359) / 360 * 360;
    return static_cast<int32_t>((d * 143) >> 3);
}

}  // namespace

int32_t HookCanvas::sin(int32_t degrees) {
    const int32_t x = wholeDegreesToRadians(degrees);
    int32_t term = x;
    int32_t sum = x;
    for (int32_t k = 2; k <= 9; ++k) {
        term = ((x * term) / k) >> 10;
        if (k % 2 == 1) sum += (k % 4 == 3) ? -term : term;
    }
    return sum;
}

int32_t HookCanvas::cos(int32_t degrees) {
    const int32_t x = wholeDegreesToRadians(degrees);
    const int32_t t2 = (x * x) / 2048;
    const int32_t t3 = ((x * t2) / 3) >> 10;
    const int32_t t4 = (x * t3) / 4096;
    const int32_t t5 = ((x * t4) / 5) >> 10;
    const int32_t t6 = ((x * t5) / 6) >> 10;
    const int32_t t7 = ((x * t6) / 7) >> 10;
    const int32_t t8 = (x * t7) / 8192;
    return 1024 - t2 + t4 - t6 + t8;
}

int32_t HookCanvas::FsinFromiDeg(int32_t degrees) { return Fsin(idegToFRad(degrees)); }
int32_t HookCanvas::FcosFromiDeg(int32_t degrees) { return Fcos(idegToFRad(degrees)); }
int32_t HookCanvas::FsinFromFDeg(int32_t degrees) { return Fsin(FdegToFRad(degrees)); }
int32_t HookCanvas::FcosFromFDeg(int32_t degrees) { return Fcos(FdegToFRad(degrees)); }
int32_t HookCanvas::FradToFDeg(int32_t x) { return radiansToFDeg(x); }
int32_t HookCanvas::FradToiDeg(int32_t x) { return FToiNearest(FradToFDeg(x)); }
int32_t HookCanvas::FdegToFRad(int32_t d) { return fdegToRadians(d); }
// Degrees past 2^21 would wrap when scaled in 32 bits; scaled in 64, they keep their angle.
int32_t HookCanvas::idegToFRad(int32_t degrees) { return fdegToRadians(static_cast<int64_t>(degrees) * 1024); }
int32_t HookCanvas::vectorToFRad(int32_t u, int32_t v) { return vectorAngle(u, v); }
int32_t HookCanvas::vectorToFDeg(int32_t u, int32_t v) { return FradToFDeg(vectorToFRad(u, v)); }
int32_t HookCanvas::vectorToiDeg(int32_t u, int32_t v) { return FToiNearest(FradToFDeg(vectorToFRad(u, v))); }

void HookCanvas::setRandomNumberSeed(int64_t seed) { random_seed = seed; }

int32_t HookCanvas::random(int32_t n) {
    constexpr uint64_t MASK48 = (uint64_t{1} << 48) - 1;
    int64_t seed = random_seed.load();
    int64_t next;
    do {
        next = static_cast<int64_t>((static_cast<uint64_t>(seed) * 0x5DEECE66Dull + 0xB) & MASK48);
    } while (!random_seed.compare_exchange_weak(seed, next));
    if (n == 0) return 0;
    const auto value = static_cast<int32_t>(next >> 17);
    return value % n;
}

void HookCanvas::randomAddToIntSeed(int32_t v) {
    std::lock_guard guard(intSeedLock);
    const uint64_t seed = (static_cast<uint64_t>(static_cast<uint32_t>(random_seed_high.load())) << 32) |
                          static_cast<uint32_t>(random_seed_low.load());
    const uint64_t sum = seed + static_cast<uint32_t>(v);
    random_seed_high = static_cast<int32_t>(static_cast<uint32_t>(sum >> 32));
    random_seed_low = static_cast<int32_t>(static_cast<uint32_t>(sum));
}

int32_t HookCanvas::readShortFromByteArray(const JavaPtr<JArray<signed char>>& a, int32_t i) {
    JArray<signed char>& bytes = *a;
    return static_cast<int16_t>((static_cast<uint8_t>(bytes[i]) << 8) | static_cast<uint8_t>(bytes[i + 1]));
}

int32_t HookCanvas::readIntFromByteArray(const JavaPtr<JArray<signed char>>& a, int32_t i) {
    JArray<signed char>& bytes = *a;
    uint32_t value = 0;
    for (int32_t k = 0; k < 4; ++k) value = (value << 8) | static_cast<uint8_t>(bytes[i + k]);
    return static_cast<int32_t>(value);
}

int64_t HookCanvas::readLongFromByteArray(const JavaPtr<JArray<signed char>>& a, int32_t i) {
    JArray<signed char>& bytes = *a;
    uint64_t value = 0;
    for (int32_t k = 0; k < 8; ++k) value = (value << 8) | static_cast<uint8_t>(bytes[i + k]);
    return static_cast<int64_t>(value);
}

int32_t HookCanvas::writeIntToByteArray(const JavaPtr<JArray<signed char>>& a, int32_t i, int32_t value) {
    JArray<signed char>& bytes = *a;
    for (int32_t k = 0; k < 4; ++k)
        bytes[i + k] = static_cast<signed char>(static_cast<uint32_t>(value) >> (24 - 8 * k));
    return i + 4;
}

int32_t HookCanvas::abs(int32_t a) { return a < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(a)) : a; }
