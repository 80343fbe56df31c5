// Time from send to its outcome with the stand-in composer, from a runtime thread (the UI thread
// shows the composer) and from the UI thread itself, against the host bridge's bare sendSMS doing
// the same handshake. Run with --benchmark_out=FILE: the composer logs each message on stdout.
// Each repetition is one send, so the aggregates are over single sends (median of 1000).
#include <benchmark/benchmark.h>

#include <atomic>
#include <optional>
#include <thread>

#include "host/SMSComposer.h"
#include "platform/UiThread.h"
#include "runtime/HostBridge.h"
#include "runtime/connections/Connector.h"
#include "runtime/messaging/MessageConnection.h"
#include "runtime/messaging/TextMessage.h"
#include "runtime/text/String.h"

using namespace javax::wireless::messaging;
using java::lang::jnew;

namespace {

constexpr int SENDS = 1000;

// The UI thread's loop on a thread of its own while a runtime thread sends.
class UiLoop {
public:
    UiLoop() : m_thread([this] {
        UiThread::markCurrentThread();
        m_marked = true;
        while (!m_stop) {
            UiThread::waitForWork(std::chrono::milliseconds(5));
            UiThread::runPending();
        }
    }) {
        while (!m_marked) std::this_thread::yield();
    }
    ~UiLoop() {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_marked{false}, m_stop{false};
    std::thread m_thread;
};

// Kept running across repetitions, so that each send meets a loop already waiting for work;
// stopped before the benchmark thread takes the UI thread's mark.
std::optional<UiLoop> uiLoop;

struct Sender {
    Sender() {
        if (!MessageConnection::TEXT_MESSAGE) MessageConnection::MessageConnection_staticInit();
        SMSComposer::setAnswer(SMSComposer::Answer::Sent);
        connection = java::lang::recastObj<MessageConnection>(
            javax::microedition::io::Connector::open(jnew<java::lang::String>("sms://+4917012345")));
        message = connection->newMessage(MessageConnection::TEXT_MESSAGE);
        java::lang::recastObj<TextMessage>(message)->setPayloadText(jnew<java::lang::String>("Quiz result: 27 of 30"));
    }
    JavaPtr<MessageConnection> connection;
    JavaPtr<Message> message;
};

void SendFromRuntimeThread(benchmark::State& state) {
    Sender sender;
    if (!uiLoop) uiLoop.emplace();
    for (auto _ : state) sender.connection->send(sender.message);
}

void BareSendSMSFromRuntimeThread(benchmark::State& state) {
    SMSComposer::setAnswer(SMSComposer::Answer::Sent);
    if (!uiLoop) uiLoop.emplace();
    for (auto _ : state) benchmark::DoNotOptimize(sendSMS("+4917012345", "Quiz result: 27 of 30"));
}

void SendOnUiThread(benchmark::State& state) {
    Sender sender;
    uiLoop.reset();
    UiThread::markCurrentThread();
    for (auto _ : state) sender.connection->send(sender.message);
}

void BareSendSMSOnUiThread(benchmark::State& state) {
    SMSComposer::setAnswer(SMSComposer::Answer::Sent);
    uiLoop.reset();
    UiThread::markCurrentThread();
    for (auto _ : state) benchmark::DoNotOptimize(sendSMS("+4917012345", "Quiz result: 27 of 30"));
}

}  // namespace

BENCHMARK(SendFromRuntimeThread)->Iterations(1)->Repetitions(SENDS)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BareSendSMSFromRuntimeThread)->Iterations(1)->Repetitions(SENDS)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(SendOnUiThread)->Iterations(1)->Repetitions(SENDS)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BareSendSMSOnUiThread)->Iterations(1)->Repetitions(SENDS)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK_MAIN();
