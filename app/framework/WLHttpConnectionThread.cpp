#include "app/framework/WLHttpConnectionThread.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "app/framework/HookCanvas.h"
#include "runtime/connections/Connector.h"
#include "runtime/connections/HttpConnection.h"
#include "runtime/io/DataInputStream.h"
#include "runtime/io/IOException.h"
#include "runtime/io/OutputStream.h"
#include "runtime/lang/Thread.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using javax::microedition::io::HttpConnection;

namespace {

constexpr int32_t GROWTH = 1024;

JavaPtr<java::lang::String> text(const char* literal) { return jnew<java::lang::String>(literal); }

}  // namespace

JavaPtr<HookCanvas> WLHttpConnectionThread::getParent() {
    std::lock_guard lock(s_parentLock);
    return parent;
}

void WLHttpConnectionThread::WLHttpConnectionThread_globalStaticDestroy() {
    JavaPtr<HookCanvas> released;
    std::lock_guard lock(s_parentLock);
    released = std::move(parent);
}

void WLHttpConnectionThread::initConnection(JavaPtr<HookCanvas> canvas, JavaPtr<String> target, int32_t bodyEncoding,
                                            JavaPtr<JArray<signed char>> body) {
    {
        std::lock_guard lock(s_parentLock);
        parent = std::move(canvas);
    }
    JavaPtr<java::lang::Thread> worker = jnew<java::lang::Thread>();
    worker->WENDinvokeconstructor(JavaPtr<java::lang::Runnable>(this));
    worker->setPriority(java::lang::Thread::NORM_PRIORITY);
    {
        std::lock_guard lock(m_lock);
        url = std::move(target);
        postData = std::move(body);
        thread = worker;
    }
    encoding = bodyEncoding;
    worker->start();
}

JavaPtr<HttpConnection> WLHttpConnectionThread::currentConnection() {
    std::lock_guard lock(m_lock);
    return connection;
}

JavaPtr<JArray<signed char>> WLHttpConnectionThread::getBuffer() {
    std::lock_guard lock(m_lock);
    return buffer;
}

JavaPtr<java::lang::String> WLHttpConnectionThread::getUrl() {
    std::lock_guard lock(m_lock);
    return url;
}

void WLHttpConnectionThread::closeConnection() {
    closed = true;
    JavaPtr<HttpConnection> dropped;
    {
        std::lock_guard lock(m_lock);
        dropped = std::move(connection);
    }
    // Outside the lock: closing waits until a request in flight has stopped.
    if (dropped) dropped->close();
}

void WLHttpConnectionThread::killThread() {
    closeConnection();
    JavaPtr<java::lang::Thread> dropped;
    std::lock_guard lock(m_lock);
    dropped = std::move(thread);
}

void WLHttpConnectionThread::setPostHeaders() {
    JavaPtr<HttpConnection> opened = currentConnection();
    if (!opened) return;
    const char* type = nullptr;
    switch (encoding.load()) {
        case Encoding_Default: type = "*/*"; break;
        case Encoding_OctetStream: type = "application/octet-stream"; break;
        case Encoding_Form: type = "application/x-www-form-urlencoded"; break;
        default: return;
    }
    opened->setRequestProperty(text("Content-Type"), text(type));
    opened->setRequestProperty(text("Accept"), text("*/*"));
}

void WLHttpConnectionThread::openConnection() {
    JavaPtr<String> target;
    JavaPtr<JArray<signed char>> body;
    {
        std::lock_guard lock(m_lock);
        target = url;
        body = postData;
    }
    if (!target || closed) return;
    try {
        JavaPtr<HttpConnection> opened =
            java::lang::recastObj<HttpConnection>(javax::microedition::io::Connector::open(target));
        if (!opened) throw java::io::IOException();
        {
            std::lock_guard lock(m_lock);
            // A close that came while the connection was being opened has nothing to close yet.
            if (!closed) connection = opened;
        }
        if (closed) {
            opened->close();
            return;
        }
        opened->setRequestProperty(text("User-Agent"), text("wendrel"));
        opened->setRequestProperty(text("Content-Language"), text("en-UK"));
        opened->setRequestProperty(text("Connection"), text("close"));
        if (!body) {
            opened->setRequestMethod(HttpConnection::GET);
        } else {
            opened->setRequestMethod(HttpConnection::POST);
            setPostHeaders();
            opened->setRequestProperty(text("Content-Length"), jnew<String>(body->length));
            JavaPtr<java::io::OutputStream> out = opened->openOutputStream();
            out->write(body);
            out->close();
        }
        responseCode = opened->getResponseCode();
        const int32_t code = responseCode;
        if (code != 301 && code != 302 && code != 303 && code != 307) return;
        // The connection follows redirects itself, so one that reaches here could not be
        // followed: it ends the request, with its location kept as the URL.
        JavaPtr<String> location = opened->getHeaderField(text("Location"));
        if (location && location->startsWith(text("/")))
            location = text("http://") + opened->getHost() + text(":") + opened->getPort() + location;
        {
            std::lock_guard lock(m_lock);
            if (location) url = location;
        }
        closeConnection();
    } catch (java::lang::Exception&) {
        closeConnection();
    }
}

void WLHttpConnectionThread::run() {
    java::lang::runGuarded([this] {
        openConnection();
        readBody();
    });
    java::lang::runGuarded([this] { killThread(); });
    m_ended.store(true, std::memory_order_release);
}

void WLHttpConnectionThread::readBody() {
    JavaPtr<HttpConnection> opened = currentConnection();
    if (!opened) return;
    JavaPtr<java::io::DataInputStream> in;
    try {
        in = opened->openDataInputStream();
    } catch (java::io::IOException&) {
        return;
    }
    {
        std::lock_guard lock(m_lock);
        inputStream = in;
    }
    if (!in) return;
    try {
        const int64_t length = opened->getLength();
        contentLength = static_cast<int32_t>(std::clamp<int64_t>(length, -1, std::numeric_limits<int32_t>::max()));
        if (contentLength < 1) {
            readUnknownLength(in);
        } else {
            // A length the body does not back (a 304 claiming gigabytes) allocates no more than it holds.
            readKnownLength(in, std::min(contentLength.load(), in->available()));
        }
    } catch (java::io::IOException&) {
    }
}

void WLHttpConnectionThread::readUnknownLength(const JavaPtr<java::io::DataInputStream>& in) {
    JavaPtr<JArray<signed char>> current = jnew<JArray<signed char>>(GROWTH);
    {
        std::lock_guard lock(m_lock);
        buffer = current;
    }
    reading = true;
    for (;;) {
        const int32_t byte = in->read();
        if (byte < 0 || closed) return;
        // Kept until the monitor is released, though the buffer may be replaced under it.
        const JavaPtr<JArray<signed char>> held = current;
        java::lang::LockObject hold = held->startSync();
        const int32_t count = received;
        if (count >= current->length) {
            JavaPtr<JArray<signed char>> grown = jnew<JArray<signed char>>(count + GROWTH);
            std::memcpy(grown->data, current->data, static_cast<size_t>(count));
            {
                std::lock_guard lock(m_lock);
                buffer = grown;
            }
            // Stored inside the old array's monitor, as a poller holding it expects.
            current = grown;
        }
        current->data[count] = static_cast<signed char>(byte);
        received = count + 1;
    }
}

void WLHttpConnectionThread::readKnownLength(const JavaPtr<java::io::DataInputStream>& in, int32_t size) {
    JavaPtr<JArray<signed char>> target = jnew<JArray<signed char>>(size);
    {
        std::lock_guard lock(m_lock);
        buffer = target;
    }
    reading = true;
    while (received < size && !closed) {
        java::lang::LockObject hold = target->startSync();
        const int32_t n = in->read(target, received, size - received);
        if (n > 0) {
            received += n;
        } else {
            closed = true;
        }
    }
}
