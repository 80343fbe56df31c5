// Sequential GETs of 1 KiB and 1 MiB from the local fixture server: through an HTTP connection
// against a bare libcurl easy handle doing the same GETs (one handle, and so one TCP connection,
// per request on both sides). Counters: requests/s, and median and p99 latency in ms.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "TestHttpServer.h"
#include "runtime/connections/Connector.h"
#include "runtime/connections/HttpConnection.h"
#include "runtime/io/InputStream.h"
#include "runtime/text/String.h"

namespace {

using Clock = std::chrono::steady_clock;

httptest::TestHttpServer& server() {
    static httptest::TestHttpServer instance;
    return instance;
}

void report(benchmark::State& state, std::vector<double>& millis) {
    if (millis.empty()) return;
    std::sort(millis.begin(), millis.end());
    state.counters["median_ms"] = millis[millis.size() / 2];
    state.counters["p99_ms"] = millis[std::min(millis.size() - 1, millis.size() * 99 / 100)];
    state.counters["requests_per_s"] = benchmark::Counter(static_cast<double>(millis.size()), benchmark::Counter::kIsRate);
}

size_t fetchWithConnection(const std::string& url) {
    using javax::microedition::io::HttpConnection;
    JavaPtr<HttpConnection> connection = java::lang::recastObj<HttpConnection>(
        javax::microedition::io::Connector::open(java::lang::jnew<java::lang::String>(url.c_str())));
    if (connection->getResponseCode() != 200) std::abort();
    JavaPtr<java::io::InputStream> in = connection->openInputStream();
    auto block = java::lang::jnew<JArray<signed char>>(65536);
    size_t total = 0;
    for (int32_t n; (n = in->read(block, 0, block->length)) > 0;) total += static_cast<size_t>(n);
    connection->close();
    return total;
}

size_t collect(char*, size_t size, size_t count, void* total) {
    *static_cast<size_t*>(total) += size * count;
    return size * count;
}

size_t fetchWithBareLibcurl(const std::string& url) {
    CURL* easy = curl_easy_init();
    size_t total = 0;
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &total);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    if (curl_easy_perform(easy) != CURLE_OK) std::abort();
    curl_easy_cleanup(easy);
    return total;
}

template <size_t (*Fetch)(const std::string&)>
void sequentialGets(benchmark::State& state) {
    const auto bytes = static_cast<size_t>(state.range(0));
    const std::string url = server().url("/big?n=" + std::to_string(bytes));
    std::vector<double> millis;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        if (Fetch(url) != bytes) std::abort();
        millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    report(state, millis);
}

void BM_HttpConnectionGet(benchmark::State& state) { sequentialGets<fetchWithConnection>(state); }
void BM_BareLibcurlGet(benchmark::State& state) { sequentialGets<fetchWithBareLibcurl>(state); }

BENCHMARK(BM_HttpConnectionGet)->Arg(1024)->Arg(1024 * 1024)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_BareLibcurlGet)->Arg(1024)->Arg(1024 * 1024)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    for (const char* name : {"http_proxy", "HTTP_PROXY", "ALL_PROXY", "all_proxy"}) unsetenv(name);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    javax::microedition::io::HttpConnection::HttpConnection_staticInit();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    javax::microedition::io::HttpConnection::HttpConnection_staticDestroy();
    return 0;
}
