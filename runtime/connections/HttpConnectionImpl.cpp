#include "runtime/connections/HttpConnectionImpl.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "runtime/connections/HttpDate.h"
#include "runtime/connections/HttpExchange.h"
#include "runtime/connections/HttpInputStream.h"
#include "runtime/connections/HttpOutputStream.h"
#include "runtime/connections/HttpUrl.h"
#include "runtime/io/DataInputStream.h"
#include "runtime/io/DataOutputStream.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/Enumeration.h"
#include "runtime/text/Hashtable.h"
#include "runtime/text/Integer.h"
#include "runtime/text/String.h"

namespace javax::microedition::io {

using java::io::IOException;
using java::lang::jnew;
using java::lang::recastObj;

namespace {

bool isTokenUnit(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') return true;
    if ((unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z')) return true;
    return std::u16string_view(u"!#$%&'*+-.^_`|~").find(unit) != std::u16string_view::npos;
}

bool isToken(const JavaPtr<String>& text) {
    return text->length() > 0 && std::all_of(text->view().begin(), text->view().end(), isTokenUnit);
}

bool isFieldValue(const JavaPtr<String>& text) {
    return std::all_of(text->view().begin(), text->view().end(),
                       [](char16_t unit) { return unit == u'\t' || (unit >= 0x20 && unit <= 0x7E); });
}

bool isVisibleAscii(const JavaPtr<String>& text) {
    return std::all_of(text->view().begin(), text->view().end(), [](char16_t unit) { return unit > 0x20 && unit < 0x7F; });
}

// Only for text already checked to be ASCII.
std::string narrow(const JavaPtr<String>& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text->length()));
    for (char16_t unit : text->view()) bytes.push_back(static_cast<char>(unit));
    return bytes;
}

JavaPtr<String> latin1(const std::string& bytes) {
    std::u16string units(bytes.begin(), bytes.end());
    for (size_t i = 0; i < bytes.size(); ++i) units[i] = static_cast<unsigned char>(bytes[i]);
    return jnew<String>(units.data(), static_cast<int32_t>(units.size()));
}

bool isDecimal(const std::string& text) {
    return !text.empty() && text.size() <= 18 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The caller's Content-Length, when given, must be the body's.
bool lengthAgrees(const HttpExchange::Request& request) {
    const size_t bodySize = request.body ? request.body->size() : 0;
    for (const auto& [name, value] : request.fields) {
        std::string lower(name);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (lower != "content-length") continue;
        if (!isDecimal(value) || std::stoull(value) != bodySize) return false;
    }
    return true;
}

// Spaces and tabs separate the status line's parts alike, and a run of them is one separator, as
// libcurl reads the line.
bool isStatusSeparator(char16_t unit) { return unit == u' ' || unit == u'\t'; }

int32_t firstStatusSeparator(const JavaPtr<String>& text) {
    const std::u16string_view units = text->view();
    const auto at = std::find_if(units.begin(), units.end(), isStatusSeparator);
    return at == units.end() ? -1 : static_cast<int32_t>(at - units.begin());
}

// The status line's text after its next separator; the whole text when it has none.
JavaPtr<String> afterSeparator(const JavaPtr<String>& text) {
    int32_t at = firstStatusSeparator(text);
    if (at < 0) return text;
    while (at < text->length() && isStatusSeparator(text->charAt(at))) ++at;
    return text->substring(at);
}

}  // namespace

JavaPtr<Connection> HttpConnectionImpl::openConnection(const JavaPtr<String>& name, int32_t, bool) {
    if (!name) return nullptr;
    const std::u16string_view text = name->view();
    if (!text.starts_with(u"http://") && !text.starts_with(u"https://")) return nullptr;
    return jnew<HttpConnectionImpl>(name);
}

HttpConnectionImpl::HttpConnectionImpl(JavaPtr<String> url)
    : m_method(HttpConnection::GET),
      m_requestProperties(jnew<java::util::Hashtable>()),
      m_headerKeys(jnew<JArray<String>>(0)),
      m_headerValues(jnew<JArray<String>>(0)),
      m_url(std::move(url)) {
    HttpUrlParts parts = parseHttpUrl(m_url);
    m_protocol = std::move(parts.protocol);
    m_user = std::move(parts.user);
    m_password = std::move(parts.password);
    m_host = std::move(parts.host);
    m_path = std::move(parts.path);
    m_file = std::move(parts.file);
    m_params = std::move(parts.params);
    m_query = std::move(parts.query);
    m_ref = std::move(parts.ref);
    m_port = parts.port;
}

HttpConnectionImpl::~HttpConnectionImpl() { close(); }

int32_t HttpConnectionImpl::state() {
    std::lock_guard lock(m_mutex);
    return m_state;
}

JavaPtr<String> HttpConnectionImpl::statusLine() {
    std::lock_guard lock(m_mutex);
    return m_statusLine;
}

void HttpConnectionImpl::closeConnection() {
    std::shared_ptr<HttpExchange> running;
    {
        std::lock_guard lock(m_mutex);
        running = m_exchange;
    }
    if (running) running->cancel();
}

void HttpConnectionImpl::dropStreams() {
    JavaPtr<HttpOutputStream> output;
    JavaPtr<HttpInputStream> input;
    {
        std::lock_guard lock(m_mutex);
        output = std::move(m_outputStream);
        input = std::move(m_inputStream);
    }
    if (output) output->close();
    if (input) input->close();
}

void HttpConnectionImpl::close() {
    {
        std::lock_guard lock(m_mutex);
        m_state = STATE_CLOSED;
    }
    closeConnection();
    dropStreams();
}

void HttpConnectionImpl::setRequestMethod(JavaPtr<String> method) {
    std::lock_guard lock(m_mutex);
    if (m_state != STATE_NOT_SENT || m_failed) throw IOException();
    if (!HttpConnection::GET->equals(method) && !HttpConnection::POST->equals(method) &&
        !HttpConnection::HEAD->equals(method))
        throw IOException();
    m_method = std::move(method);
}

JavaPtr<String> HttpConnectionImpl::getRequestMethod() {
    std::lock_guard lock(m_mutex);
    return m_method;
}

void HttpConnectionImpl::setRequestProperty(JavaPtr<String> key, JavaPtr<String> value) {
    std::lock_guard lock(m_mutex);
    if (m_state != STATE_NOT_SENT || m_failed) throw IOException();
    // Refused rather than sent: CR or LF would let a caller's text start fields or requests of its own.
    if ((key && !isToken(key)) || (value && !isFieldValue(value))) throw IOException();
    m_requestProperties->put(key, value);
}

JavaPtr<String> HttpConnectionImpl::getRequestProperty(JavaPtr<String> key) {
    if (!key) return nullptr;
    return recastObj<String>(m_requestProperties->get(key));
}

int32_t HttpConnectionImpl::sendData(const JavaPtr<JArray<signed char>>& bytes) {
    std::lock_guard lock(m_mutex);
    if (!m_buildingRequest) return 0;
    m_body.emplace(bytes->data, bytes->data + bytes->length);
    return 1;
}

JavaPtr<java::io::OutputStream> HttpConnectionImpl::openOutputStream() {
    JavaPtr<HttpOutputStream> stream = jnew<HttpOutputStream>(JavaPtr<HttpConnectionImpl>(this));
    JavaPtr<HttpOutputStream> earlier;
    {
        std::lock_guard lock(m_mutex);
        earlier = std::exchange(m_outputStream, stream);
    }
    return stream;
}

JavaPtr<java::io::DataOutputStream> HttpConnectionImpl::openDataOutputStream() {
    return jnew<java::io::DataOutputStream>(openOutputStream());
}

void HttpConnectionImpl::initiateConnectionStart() {
    {
        std::lock_guard lock(m_mutex);
        m_inputStream = jnew<HttpInputStream>();
        m_headerKeys = jnew<JArray<String>>(0);
        m_headerValues = jnew<JArray<String>>(0);
    }
    const int32_t result = initiateConnection();
    std::lock_guard lock(m_mutex);
    if (m_state != STATE_CLOSED) m_state = result;
}

void HttpConnectionImpl::failExchange() {
    dropStreams();
    std::lock_guard lock(m_mutex);
    // Nothing is sent again: a later getter fails at once.
    m_failed = true;
}

int32_t HttpConnectionImpl::initiateConnection() {
    HttpExchange::Request request;
    JavaPtr<HttpOutputStream> output;
    {
        std::lock_guard lock(m_mutex);
        request.method = narrow(m_method);
        output = m_outputStream;
    }
    if (!isVisibleAscii(m_url)) {
        failExchange();
        return 0;
    }
    request.url = narrow(m_url);
    JavaPtr<java::util::Enumeration> keys = m_requestProperties->keys();
    JavaPtr<java::util::Enumeration> values = m_requestProperties->elements();
    while (keys->hasMoreElements())
        request.fields.emplace_back(narrow(recastObj<String>(keys->nextElement())),
                                    narrow(recastObj<String>(values->nextElement())));

    if (output) {
        {
            std::lock_guard lock(m_mutex);
            m_buildingRequest = true;
        }
        output->flush();
        std::lock_guard lock(m_mutex);
        m_buildingRequest = false;
        request.body = std::exchange(m_body, std::nullopt);
    }
    if (!lengthAgrees(request)) {
        failExchange();
        return 0;
    }

    auto exchange = std::make_shared<HttpExchange>(std::move(request));
    {
        std::lock_guard lock(m_mutex);
        if (m_state == STATE_CLOSED) return 0;
        m_exchange = exchange;
    }
    const bool complete = exchange->run();

    const HttpResponseHeader& header = exchange->header();
    JavaPtr<HttpInputStream> input;
    {
        std::lock_guard lock(m_mutex);
        m_exchange = nullptr;
        if (header.hasStatusLine()) {
            m_statusLine = latin1(header.statusLine());
            const auto count = static_cast<int32_t>(header.fields().size());
            m_headerKeys = jnew<JArray<String>>(count);
            m_headerValues = jnew<JArray<String>>(count);
            for (int32_t i = 0; i < count; ++i) {
                m_headerKeys->data[i] = latin1(header.fields()[static_cast<size_t>(i)].first);
                m_headerValues->data[i] = latin1(header.fields()[static_cast<size_t>(i)].second);
            }
        }
        if (complete && header.hasStatusLine() && m_state != STATE_CLOSED) input = m_inputStream;
    }
    if (!input) {
        failExchange();
        return 0;
    }
    input->adopt(exchange->body().takeArray());
    return 1;
}

HttpConnectionImpl::Response HttpConnectionImpl::requireResponse() {
    std::lock_guard exchangeLock(m_exchangeMutex);
    bool send = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_failed || m_state == STATE_CLOSED) throw IOException();
        send = m_state == STATE_NOT_SENT;
    }
    if (send) initiateConnectionStart();
    std::lock_guard lock(m_mutex);
    if (m_state != STATE_COMPLETE || m_failed) throw IOException();
    return {m_statusLine, m_headerKeys, m_headerValues};
}

int32_t HttpConnectionImpl::getResponseCode() {
    const Response response = requireResponse();
    if (!response.statusLine) return 0;
    JavaPtr<String> afterVersion = afterSeparator(response.statusLine);
    const int32_t end = firstStatusSeparator(afterVersion);
    return java::lang::Integer::parseInt(end < 0 ? afterVersion : afterVersion->substring(0, end));
}

JavaPtr<String> HttpConnectionImpl::getResponseMessage() {
    const Response response = requireResponse();
    if (!response.statusLine) return nullptr;
    return afterSeparator(afterSeparator(response.statusLine));
}

JavaPtr<String> HttpConnectionImpl::getHeaderField(JavaPtr<String> name) {
    const Response response = requireResponse();
    for (int32_t i = 0; i < response.keys->length; ++i)
        if (response.keys->data[i]->equalsIgnoreCase(name)) return response.values->data[i];
    return nullptr;
}

JavaPtr<String> HttpConnectionImpl::getHeaderField(int32_t index) {
    const Response response = requireResponse();
    if (index < 0 || index >= response.values->length) return nullptr;
    return response.values->data[index];
}

JavaPtr<String> HttpConnectionImpl::getHeaderFieldKey(int32_t index) {
    const Response response = requireResponse();
    if (index < 0 || index >= response.keys->length) return nullptr;
    return response.keys->data[index];
}

int32_t HttpConnectionImpl::getHeaderFieldInt(JavaPtr<String> name, int32_t defaultValue) {
    const JavaPtr<String> value = getHeaderField(std::move(name));
    if (!value) return defaultValue;
    try {
        const int32_t parsed = java::lang::Integer::parseInt(value);
        return parsed == -1 ? defaultValue : parsed;
    } catch (java::lang::Exception&) {
        return defaultValue;
    }
}

int64_t HttpConnectionImpl::getHeaderFieldDate(JavaPtr<String> name, int64_t defaultValue) {
    return parseHttpDate(getHeaderField(std::move(name)), defaultValue);
}

JavaPtr<java::io::InputStream> HttpConnectionImpl::openInputStream() {
    requireResponse();
    std::lock_guard lock(m_mutex);
    return m_inputStream;
}

JavaPtr<java::io::DataInputStream> HttpConnectionImpl::openDataInputStream() {
    return jnew<java::io::DataInputStream>(openInputStream());
}

JavaPtr<String> HttpConnectionImpl::getType() { return getHeaderField(jnew<String>("content-type")); }

JavaPtr<String> HttpConnectionImpl::getEncoding() { return getHeaderField(jnew<String>("content-encoding")); }

int64_t HttpConnectionImpl::getLength() { return getHeaderFieldInt(jnew<String>("content-length"), -1); }

int64_t HttpConnectionImpl::getDate() { return getHeaderFieldDate(jnew<String>("date"), 0); }

int64_t HttpConnectionImpl::getExpiration() { return getHeaderFieldDate(jnew<String>("expires"), 0); }

int64_t HttpConnectionImpl::getLastModified() { return getHeaderFieldDate(jnew<String>("last-modified"), 0); }

}  // namespace javax::microedition::io
