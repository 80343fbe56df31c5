// Each runtime operation beside the standard library doing the same work.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "runtime/text/String.h"

using namespace java::lang;

namespace {

const std::u16string sentence = u"Which word means a feeling of great happiness? \u00e9lan, joie, gl\u00fcck";

JavaPtr<String> runtimeText(const std::u16string& text) {
    return jnew<String>(text.data(), static_cast<int32_t>(text.size()));
}

// Mixed text: mostly ASCII with two-, three- and four-byte sequences.
std::vector<uint8_t> utf8Sample() {
    const std::string piece = "question \xC3\xA9l\xC3\xA8ve \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 answer; ";
    std::string text;
    while (text.size() < 4096) text += piece;
    return {text.begin(), text.end()};
}

void BM_ConcatRuntime(benchmark::State& state) {
    auto left = runtimeText(sentence);
    auto right = runtimeText(u" \u2014 next");
    for (auto _ : state) benchmark::DoNotOptimize(left + right);
}
void BM_ConcatStd(benchmark::State& state) {
    const std::u16string left = sentence;
    const std::u16string right = u" \u2014 next";
    for (auto _ : state) benchmark::DoNotOptimize(left + right);
}

void BM_EqualsRuntime(benchmark::State& state) {
    auto a = runtimeText(sentence);
    auto b = runtimeText(sentence);
    for (auto _ : state) benchmark::DoNotOptimize(a->equals(b));
}
void BM_EqualsStd(benchmark::State& state) {
    const std::u16string a = sentence;
    const std::u16string b = sentence;
    for (auto _ : state) benchmark::DoNotOptimize(a == b);
}

// Fresh strings from a pool, refilled outside the timing, so the cached hash does not hide the work.
void BM_HashCodeRuntime(benchmark::State& state) {
    constexpr size_t poolSize = 1024;
    std::vector<JavaPtr<String>> pool;
    size_t next = poolSize;
    for (auto _ : state) {
        if (next == poolSize) {
            state.PauseTiming();
            pool.clear();
            for (size_t i = 0; i < poolSize; ++i) pool.push_back(runtimeText(sentence));
            next = 0;
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(pool[next++]->hashCode());
    }
}
void BM_HashCodeStd(benchmark::State& state) {
    const std::u16string text = sentence;
    for (auto _ : state) benchmark::DoNotOptimize(std::hash<std::u16string>{}(text));
}

void BM_Utf8DecodeRuntime(benchmark::State& state) {
    const std::vector<uint8_t> sample = utf8Sample();
    auto bytes = jnew<JArray<signed char>>(static_cast<int32_t>(sample.size()));
    for (size_t i = 0; i < sample.size(); ++i) bytes->data[i] = static_cast<signed char>(sample[i]);
    auto encoding = jnew<String>("UTF-8");
    for (auto _ : state) benchmark::DoNotOptimize(jnew<String>(bytes, 0, bytes->length, encoding));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sample.size()));
}

// A straightforward decoder of well-formed input into std::u16string, without validation.
void BM_Utf8DecodeStd(benchmark::State& state) {
    const std::vector<uint8_t> sample = utf8Sample();
    for (auto _ : state) {
        std::u16string out;
        out.reserve(sample.size());
        for (size_t i = 0; i < sample.size();) {
            const uint8_t lead = sample[i];
            char32_t codePoint;
            if (lead < 0x80) {
                codePoint = lead;
                i += 1;
            } else if (lead < 0xE0) {
                codePoint = (lead & 0x1Fu) << 6 | (sample[i + 1] & 0x3Fu);
                i += 2;
            } else if (lead < 0xF0) {
                codePoint = (lead & 0x0Fu) << 12 | (sample[i + 1] & 0x3Fu) << 6 | (sample[i + 2] & 0x3Fu);
                i += 3;
            } else {
                codePoint = (lead & 0x07u) << 18 | (sample[i + 1] & 0x3Fu) << 12 | (sample[i + 2] & 0x3Fu) << 6 |
                            (sample[i + 3] & 0x3Fu);
                i += 4;
            }
            if (codePoint > 0xFFFF) {
                out.push_back(static_cast<char16_t>(0xD800 | ((codePoint - 0x10000) >> 10)));
                out.push_back(static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF)));
            } else {
                out.push_back(static_cast<char16_t>(codePoint));
            }
        }
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * sample.size()));
}

}  // namespace

BENCHMARK(BM_ConcatRuntime);
BENCHMARK(BM_ConcatStd);
BENCHMARK(BM_EqualsRuntime);
BENCHMARK(BM_EqualsStd);
BENCHMARK(BM_HashCodeRuntime);
BENCHMARK(BM_HashCodeStd);
BENCHMARK(BM_Utf8DecodeRuntime);
BENCHMARK(BM_Utf8DecodeStd);

BENCHMARK_MAIN();
