#include "runtime/connections/HttpExchange.h"

#include <curl/curl.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

#include "runtime/lang/Clocks.h"

namespace javax::microedition::io {

namespace {

std::atomic<int64_t> silenceLimit{HttpExchange::DEFAULT_SILENCE_LIMIT_MILLIS};

void initialiseLibcurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool hasField(const HttpExchange::Request& request, std::string_view name) {
    return std::any_of(request.fields.begin(), request.fields.end(), [&](const auto& field) {
        return field.first.size() == name.size() &&
               std::equal(name.begin(), name.end(), field.first.begin(),
                          [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b)); });
    });
}

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

bool append(Slist& list, const std::string& line) {
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (!grown) return false;
    list.release();
    list.reset(grown);
    return true;
}

// The caller's fields, and empty ones that keep libcurl from adding fields the caller did not ask for.
bool buildFields(const HttpExchange::Request& request, Slist& list) {
    for (const auto& [name, value] : request.fields)
        // "Name;" is libcurl's way of sending a field with an empty value.
        if (!append(list, value.empty() ? name + ";" : name + ": " + value)) return false;
    for (const char* name : {"Accept", "Expect"})
        if (!hasField(request, name) && !append(list, std::string(name) + ":")) return false;
    if (request.body && !hasField(request, "Content-Type") && !append(list, "Content-Type:")) return false;
    return true;
}

bool setOptions(CURL* easy, const HttpExchange::Request& request, curl_slist* fields, void* self,
                curl_write_callback onHeader, curl_write_callback onBody) {
    bool ok = curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str()) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_MAXREDIRS, HttpExchange::MAX_REDIRECTS) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1)) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK;
    if (const char* caFile = std::getenv(HttpExchange::CA_FILE_VARIABLE); caFile && *caFile)
        ok = ok && curl_easy_setopt(easy, CURLOPT_CAINFO, caFile) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_HTTPHEADER, fields) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onHeader) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_HEADERDATA, self) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBody) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_WRITEDATA, self) == CURLE_OK;
    if (!ok) return false;

    if (request.method == "HEAD") return curl_easy_setopt(easy, CURLOPT_NOBODY, 1L) == CURLE_OK;
    if (!request.body) {
        if (request.method == "POST") return curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, "POST") == CURLE_OK;
        return curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L) == CURLE_OK;
    }
    ok = curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body->size())) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body->data()) == CURLE_OK;
    if (request.method != "POST") ok = ok && curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.method.c_str()) == CURLE_OK;
    return ok;
}

}  // namespace

void HttpExchange::setSilenceLimitMillis(int64_t limit) {
    silenceLimit.store(limit < 1 ? DEFAULT_SILENCE_LIMIT_MILLIS : limit, std::memory_order_relaxed);
}

int64_t HttpExchange::silenceLimitMillis() { return silenceLimit.load(std::memory_order_relaxed); }

HttpExchange::HttpExchange(Request request) : m_request(std::move(request)) {
    initialiseLibcurlOnce();
    m_multi = curl_multi_init();
}

HttpExchange::~HttpExchange() {
    if (m_multi) curl_multi_cleanup(static_cast<CURLM*>(m_multi));
}

size_t HttpExchange::onHeader(char* data, size_t size, size_t count, void* self) {
    auto* exchange = static_cast<HttpExchange*>(self);
    const size_t bytes = size * count;
    return exchange->m_header.addLine(std::string_view(data, bytes)) ? bytes : 0;
}

size_t HttpExchange::onBody(char* data, size_t size, size_t count, void* self) {
    auto* exchange = static_cast<HttpExchange*>(self);
    const size_t bytes = size * count;
    if (exchange->m_body.size() == 0) exchange->reserveAnnouncedLength();
    if (!exchange->m_body.append(data, bytes)) return 0;  // libcurl then fails the transfer
    exchange->m_silence.bodyArrived(java::lang::clocks::monotonicMillis());
    return bytes;
}

void HttpExchange::reserveAnnouncedLength() {
    curl_off_t announced = -1;
    if (curl_easy_getinfo(static_cast<CURL*>(m_easy), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced) != CURLE_OK) return;
    m_body.announce(announced);
}

bool HttpExchange::run() {
    if (!m_multi) return false;
    {
        std::lock_guard lock(m_mutex);
        if (m_cancelled.load(std::memory_order_relaxed)) return false;
        m_inLoop = true;
    }
    CURL* easy = curl_easy_init();
    m_easy = easy;
    const bool complete = easy && transfer(easy);
    m_easy = nullptr;
    if (easy) curl_easy_cleanup(easy);
    {
        std::lock_guard lock(m_mutex);
        m_inLoop = false;
    }
    m_loopLeft.notify_all();
    return complete && !m_cancelled.load(std::memory_order_relaxed);
}

bool HttpExchange::transfer(void* handle) {
    CURL* easy = static_cast<CURL*>(handle);
    CURLM* multi = static_cast<CURLM*>(m_multi);
    Slist fields;
    if (!buildFields(m_request, fields)) return false;
    if (!setOptions(easy, m_request, fields.get(), this, &onHeader, &onBody)) return false;
    if (curl_multi_add_handle(multi, easy) != CURLM_OK) return false;

    bool complete = false;
    m_silence = SilenceWatch(silenceLimitMillis(), java::lang::clocks::monotonicMillis());
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) break;
        int queued = 0;
        bool done = false;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg != CURLMSG_DONE) continue;
            done = true;
            complete = message->data.result == CURLE_OK;
        }
        if (done || running == 0 || m_cancelled.load(std::memory_order_acquire)) break;
        const int64_t remaining = m_silence.remaining(java::lang::clocks::monotonicMillis());
        if (remaining == 0) break;
        // Woken early by socket activity, libcurl's own timers or cancel.
        if (curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::min<int64_t>(remaining, INT_MAX)), nullptr) != CURLM_OK)
            break;
    }
    curl_multi_remove_handle(multi, easy);
    return complete;
}

void HttpExchange::cancel() {
    std::unique_lock lock(m_mutex);
    m_cancelled.store(true, std::memory_order_release);
    if (!m_inLoop) return;
    if (m_multi) curl_multi_wakeup(static_cast<CURLM*>(m_multi));
    m_loopLeft.wait(lock, [this] { return !m_inLoop; });
}

}  // namespace javax::microedition::io
