// The framework's fire-and-forget HTTP request: opens a URL on a thread of its own, sends fixed
// header fields and an optional POST body, and reads the whole response body into a byte buffer
// that the application polls. Used for one request only.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "app/framework/AppParameters.h"
#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"
#include "runtime/lang/Runnable.h"

namespace java::io { class DataInputStream; }
namespace java::lang {
class String;
class Thread;
}  // namespace java::lang
namespace javax::microedition::io { class HttpConnection; }
class HookCanvas;

// Carries the application's build parameters, as the framework's classes do; it reads none.
class WLHttpConnectionThread : public java::lang::Object, public java::lang::Runnable, public AppParameters {
    JAVA_CLASS(WLHttpConnectionThread, "WLHttpConnectionThread", java::lang::Object, java::lang::Runnable)
public:
    using String = java::lang::String;

    static constexpr int32_t Encoding_Default = 0;
    static constexpr int32_t Encoding_OctetStream = 1;
    static constexpr int32_t Encoding_Form = 2;

    // The canvas that started the last worker; nothing reads it.
    static JavaPtr<HookCanvas> getParent();
    static void WLHttpConnectionThread_globalStaticDestroy();

    // Stores the request and starts the worker's thread at priority 5.
    virtual void initConnection(JavaPtr<HookCanvas> parent, JavaPtr<String> url, int32_t encoding,
                                JavaPtr<JArray<signed char>> postData);
    // Any thread: stops the request or the body read, which then end quietly.
    virtual void closeConnection();
    virtual void killThread();
    virtual void setPostHeaders();
    // The request up to its response code; any failure ends it with the connection closed.
    virtual void openConnection();
    void run() override;

    // What the application polls.
    std::atomic<bool> closed{false};
    std::atomic<int32_t> encoding{0};
    std::atomic<int32_t> responseCode{0};
    std::atomic<bool> reading{false};
    std::atomic<int32_t> contentLength{0};
    std::atomic<int32_t> received{0};
    // The body so far: each step of the read holds this array's monitor.
    JavaPtr<JArray<signed char>> getBuffer();
    // The location of a redirect that could not be followed replaces the URL.
    JavaPtr<String> getUrl();
    // Once run has ended.
    bool hasEnded() const { return m_ended.load(std::memory_order_acquire); }

private:
    void readBody();
    void readUnknownLength(const JavaPtr<java::io::DataInputStream>& in);
    void readKnownLength(const JavaPtr<java::io::DataInputStream>& in, int32_t size);
    JavaPtr<javax::microedition::io::HttpConnection> currentConnection();

    static inline std::mutex s_parentLock;
    static inline JavaPtr<HookCanvas> parent;

    std::mutex m_lock;  // the references below, which the worker and closing threads share
    JavaPtr<java::lang::Thread> thread;
    JavaPtr<javax::microedition::io::HttpConnection> connection;
    JavaPtr<String> url;
    JavaPtr<JArray<signed char>> postData;
    JavaPtr<java::io::DataInputStream> inputStream;
    JavaPtr<JArray<signed char>> buffer;
    std::atomic<bool> m_ended{false};
};
