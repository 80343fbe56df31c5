// HookCanvas's HTTP worker control, URL encoding and browser hand-off.
#include <mutex>

#include "app/framework/AppMidlet.h"
#include "app/framework/HookCanvas.h"
#include "app/framework/WLHttpConnectionThread.h"
#include "runtime/text/String.h"

using java::lang::jnew;

namespace {

// conn_class is replaced by whichever application thread starts or stops a request.
std::mutex connectionLock;

constexpr char16_t SAFE[] = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-_.!*'()";

}  // namespace

JavaPtr<WLHttpConnectionThread> HookCanvas::currentHttpConnection() {
    std::lock_guard lock(connectionLock);
    return conn_class;
}

void HookCanvas::openHttpConnectionByteArrayData(JavaPtr<String> url, int32_t encoding,
                                                 JavaPtr<JArray<signed char>> data) {
    closeHttpConnection();
    JavaPtr<WLHttpConnectionThread> worker = jnew<WLHttpConnectionThread>();
    {
        std::lock_guard lock(connectionLock);
        conn_class = worker;
    }
    worker->initConnection(JavaPtr<HookCanvas>(this), std::move(url), encoding, std::move(data));
}

void HookCanvas::openHttpConnectionStringData(JavaPtr<String> url, int32_t encoding, JavaPtr<String> data) {
    JavaPtr<JArray<signed char>> bytes = jnew<JArray<signed char>>(data->length());
    for (int32_t i = 0; i < data->length(); ++i) bytes->data[i] = static_cast<signed char>(data->charAt(i) & 0xFF);
    openHttpConnectionByteArrayData(std::move(url), encoding, bytes);
}

void HookCanvas::closeHttpConnection() {
    JavaPtr<WLHttpConnectionThread> worker;
    {
        std::lock_guard lock(connectionLock);
        worker = std::move(conn_class);
    }
    // Outside the lock: killing waits until the worker's request has stopped.
    if (worker) worker->killThread();
}

JavaPtr<java::lang::String> HookCanvas::urlEncode(JavaPtr<String> s) {
    std::u16string encoded;
    encoded.reserve(static_cast<size_t>(s->length()));
    for (char16_t unit : s->view()) {
        if (std::u16string_view(SAFE).find(unit) != std::u16string_view::npos) {
            encoded += unit;
            continue;
        }
        encoded += u'%';
        encoded += SAFE[(unit >> 4) & 15];
        encoded += SAFE[unit & 15];
    }
    return jnew<String>(encoded.data(), static_cast<int32_t>(encoded.size()));
}

bool HookCanvas::launchWapBrowser(JavaPtr<String> url) {
    if (midlet) midlet->platformRequest(url);
    return true;
}
