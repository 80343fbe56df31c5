// The connection Connector opens for "http://" and "https://" names. The first getter that needs
// the response sends the request once over libcurl, on the calling thread, and keeps the whole
// response; later getters answer from memory. close() may come from any thread at any time.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "runtime/connections/HttpsConnection.h"
#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::util { class Hashtable; }

namespace javax::microedition::io {

class HttpExchange;
class HttpInputStream;
class HttpOutputStream;

class HttpConnectionImpl : public java::lang::Object, public virtual HttpsConnection {
    JAVA_CLASS(HttpConnectionImpl, "javax.microedition.io.HttpConnectionImpl", java::lang::Object, HttpsConnection)
public:
    static constexpr int32_t STATE_NOT_SENT = 0;
    static constexpr int32_t STATE_COMPLETE = 1;
    static constexpr int32_t STATE_CLOSED = 2;

    // Connector's HTTP handler: names that begin with "http://" or "https://".
    static JavaPtr<Connection> openConnection(const JavaPtr<String>& name, int32_t mode, bool timeouts);

    HttpConnectionImpl() = default;
    // Splits the URL for the getters; NumberFormatException for a port that is no number.
    explicit HttpConnectionImpl(JavaPtr<String> url);
    ~HttpConnectionImpl() override;

    void close() override;
    JavaPtr<java::io::DataOutputStream> openDataOutputStream() override;
    // A new body stream, replacing an earlier one and what it held; allowed in every state.
    JavaPtr<java::io::OutputStream> openOutputStream() override;
    JavaPtr<java::io::DataInputStream> openDataInputStream() override;
    // The same stream at every call.
    JavaPtr<java::io::InputStream> openInputStream() override;
    JavaPtr<String> getEncoding() override;
    int64_t getLength() override;
    JavaPtr<String> getType() override;
    int64_t getDate() override;
    int64_t getExpiration() override;
    JavaPtr<String> getFile() override { return m_file; }
    JavaPtr<String> getHeaderField(int32_t index) override;
    JavaPtr<String> getHeaderField(JavaPtr<String> name) override;
    int64_t getHeaderFieldDate(JavaPtr<String> name, int64_t defaultValue) override;
    int32_t getHeaderFieldInt(JavaPtr<String> name, int32_t defaultValue) override;
    JavaPtr<String> getHeaderFieldKey(int32_t index) override;
    JavaPtr<String> getHost() override { return m_host; }
    int64_t getLastModified() override;
    int32_t getPort() override { return m_port; }
    JavaPtr<String> getProtocol() override { return m_protocol; }
    JavaPtr<String> getQuery() override { return m_query; }
    JavaPtr<String> getRef() override { return m_ref; }
    JavaPtr<String> getRequestMethod() override;
    JavaPtr<String> getRequestProperty(JavaPtr<String> key) override;
    // The digits after the first space, up to the next space or the end.
    int32_t getResponseCode() override;
    JavaPtr<String> getResponseMessage() override;
    JavaPtr<String> getURL() override { return m_url; }
    // GET, POST or HEAD, before the request is sent; IOException otherwise.
    void setRequestMethod(JavaPtr<String> method) override;
    // Before the request is sent, a name that is an HTTP token and a value of printable ASCII
    // and tabs; IOException otherwise, and nothing is stored.
    void setRequestProperty(JavaPtr<String> key, JavaPtr<String> value) override;
    JavaPtr<java::lang::Object> getSecurityInfo() override { return nullptr; }

    // Takes the bytes as the request body while the request is being built: 1. At any other
    // time nothing is taken: 0.
    int32_t sendData(const JavaPtr<JArray<signed char>>& bytes);

    int32_t state();
    // The response's status line once its header arrived, kept when the exchange then failed.
    JavaPtr<String> statusLine();

private:
    struct Response {
        JavaPtr<String> statusLine;
        JavaPtr<JArray<String>> keys;
        JavaPtr<JArray<String>> values;
    };

    // Runs the exchange when nothing was sent yet; IOException unless the response is complete.
    Response requireResponse();
    void initiateConnectionStart();
    int32_t initiateConnection();
    // Stops a running exchange and returns when its transfer can call back no more.
    void closeConnection();
    void failExchange();
    void dropStreams();

    std::mutex m_exchangeMutex;  // one exchange at a time; other getters wait for its outcome
    std::mutex m_mutex;          // everything below that an exchange and close share
    int32_t m_state = STATE_NOT_SENT;
    bool m_failed = false;
    JavaPtr<String> m_method;
    JavaPtr<java::util::Hashtable> m_requestProperties;
    JavaPtr<HttpOutputStream> m_outputStream;
    JavaPtr<HttpInputStream> m_inputStream;
    JavaPtr<String> m_statusLine;
    JavaPtr<JArray<String>> m_headerKeys;
    JavaPtr<JArray<String>> m_headerValues;
    std::shared_ptr<HttpExchange> m_exchange;
    bool m_buildingRequest = false;
    std::optional<std::vector<signed char>> m_body;

    // Set by the constructor, read only afterwards.
    JavaPtr<String> m_url;
    JavaPtr<String> m_protocol;
    JavaPtr<String> m_user;
    JavaPtr<String> m_password;
    JavaPtr<String> m_host;
    JavaPtr<String> m_path;
    JavaPtr<String> m_file;
    JavaPtr<String> m_params;
    JavaPtr<String> m_query;
    JavaPtr<String> m_ref;
    int32_t m_port = 0;
};

}  // namespace javax::microedition::io
