// One HTTP/1.1 request and its whole response over libcurl, run on the calling thread, which
// blocks until the response has ended, failed or been silent too long; another thread may
// cancel it at any moment.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/connections/HttpBodyBuffer.h"
#include "runtime/connections/HttpResponseHeader.h"
#include "runtime/connections/SilenceWatch.h"

namespace javax::microedition::io {

class HttpExchange {
public:
    struct Request {
        std::string url;
        std::string method;
        // Sent as given, besides Host and, with a body, Content-Length.
        std::vector<std::pair<std::string, std::string>> fields;
        std::optional<std::vector<signed char>> body;
    };

    // The most body bytes one response may bring.
    static constexpr size_t MAX_BODY_BYTES = 16 * 1024 * 1024;
    // How long the response may bring no body bytes, counted from the start (connecting
    // included) and from each chunk; the arrival of the header does not count.
    static constexpr int64_t DEFAULT_SILENCE_LIMIT_MILLIS = 10000;
    // Names a PEM file of certificate authorities that HTTPS peers are verified against instead
    // of the system's store. Verification is never switched off.
    static constexpr const char* CA_FILE_VARIABLE = "LEXIVO_HTTP_CA_FILE";
    // At most this many redirects are followed, http and https only.
    static constexpr long MAX_REDIRECTS = 10;

    // For tests; a limit below 1 restores the default. Measured on the monotonic clock.
    static void setSilenceLimitMillis(int64_t limit);
    static int64_t silenceLimitMillis();

    explicit HttpExchange(Request request);
    ~HttpExchange();
    HttpExchange(const HttpExchange&) = delete;
    HttpExchange& operator=(const HttpExchange&) = delete;

    // At most once. True when the response arrived whole; the header may be there either way.
    bool run();
    // Any thread, any number of times, before, during or after run: run then returns false at
    // once, and cancel returns only when no transfer callback can run any more.
    void cancel();

    // Read after run has returned.
    const HttpResponseHeader& header() const { return m_header; }
    HttpBodyBuffer& body() { return m_body; }

private:
    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static size_t onBody(char* data, size_t size, size_t count, void* self);
    bool transfer(void* easy);
    void reserveAnnouncedLength();

    Request m_request;
    void* m_multi = nullptr;
    void* m_easy = nullptr;  // while run transfers
    HttpResponseHeader m_header;
    HttpBodyBuffer m_body{MAX_BODY_BYTES};
    SilenceWatch m_silence{DEFAULT_SILENCE_LIMIT_MILLIS, 0};  // used on run's thread only

    std::mutex m_mutex;
    std::condition_variable m_loopLeft;
    bool m_inLoop = false;
    std::atomic<bool> m_cancelled{false};
};

}  // namespace javax::microedition::io
