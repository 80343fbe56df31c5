#include "runtime/sensor/SensorConnection.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/System.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/sensor/DataImpl.h"

namespace javax::microedition::sensor {

using java::lang::jnew;
using java::lang::System;

namespace {

// A waiting getData looks at the wall clock at least this often, so that a clock set forward
// (or a test's clock) ends its period without a notification.
constexpr int64_t CLOCK_CHECK_MS = 10;

template <class T>
JavaPtr<JArray<T>> arrayIf(bool wanted, int32_t length) {
    return wanted ? jnew<JArray<T>>(length) : nullptr;
}

}  // namespace

int32_t SensorConnection::getState() {
    std::lock_guard guard(m_lock);
    return m_state;
}

void SensorConnection::arm(int32_t bufferSize, int64_t bufferingPeriod, bool timestamps, bool uncertainties,
                           bool validities) {
    m_bufferSize = bufferSize;
    // A period beyond the int range is as good as endless; cutting it to its low bits could make
    // it negative and leave a waiting getData without any bound.
    m_bufferingPeriod = static_cast<int32_t>(std::min<int64_t>(bufferingPeriod, std::numeric_limits<int32_t>::max()));
    m_timestampIncluded = timestamps;
    m_uncertaintyIncluded = uncertainties;
    m_validityIncluded = validities;
    m_sampleCount = 0;
    m_dataLost = false;
    // A batch left from an earlier arming was sized for it; the new one begins afresh.
    m_buffer = nullptr;
    m_batchLength = 0;
    m_deadline = System::currentTimeMillis() + m_bufferingPeriod;
    m_listening = true;
}

void SensorConnection::setDataListener(JavaPtr<DataListener> listener, int32_t bufferSize) {
    setDataListener(std::move(listener), bufferSize, 0, false, false, false);
}

void SensorConnection::setDataListener(JavaPtr<DataListener> listener, int32_t bufferSize, int64_t bufferingPeriod,
                                       bool isTimestampIncluded, bool isUncertaintyIncluded, bool isValidityIncluded) {
    if (!listener) throw java::lang::NullPointerException();
    std::lock_guard guard(m_lock);
    if (m_state == STATE_CLOSED) throw java::io::IOException();
    m_state = STATE_LISTENING;
    arm(bufferSize, bufferingPeriod, isTimestampIncluded, isUncertaintyIncluded, isValidityIncluded);
    m_listener = std::move(listener);
}

void SensorConnection::removeDataListener() {
    JavaPtr<DataListener> dropped;
    std::lock_guard guard(m_lock);
    dropped = std::move(m_listener);
    // A closed connection stays closed.
    if (m_state != STATE_CLOSED) m_state = STATE_OPENED;
    m_listening = false;
}

JavaPtr<JArray<Data>> SensorConnection::getData(int32_t bufferSize) {
    return getData(bufferSize, 0, false, false, false);
}

JavaPtr<JArray<Data>> SensorConnection::getData(int32_t bufferSize, int64_t bufferingPeriod, bool isTimestampIncluded,
                                                bool isUncertaintyIncluded, bool isValidityIncluded) {
    std::unique_lock lock(m_lock);
    if (m_state == STATE_LISTENING) throw java::lang::IllegalStateException();
    if (m_state == STATE_CLOSED) throw java::io::IOException();
    if (bufferSize < 1 && bufferingPeriod < 1) throw java::lang::IllegalArgumentException();
    arm(bufferSize, bufferingPeriod, isTimestampIncluded, isUncertaintyIncluded, isValidityIncluded);
    // The pass may raise the size when the batch begins, so it is read afresh each time.
    for (;;) {
        if (m_state == STATE_CLOSED) {
            m_listening = false;
            throw java::io::IOException();
        }
        if (batchFullLocked()) break;
        if (m_bufferingPeriod > 0) {
            const int64_t remaining = m_deadline - System::currentTimeMillis();
            if (remaining <= 0) break;
            m_batchChanged.wait_for(lock, std::chrono::milliseconds(std::min(remaining, CLOCK_CHECK_MS)));
        } else {
            m_batchChanged.wait(lock);
        }
    }
    m_listening = false;
    if (!m_buffer) return jnew<JArray<Data>>(0);
    pruneLocked();
    JavaPtr<JArray<Data>> batch = std::move(m_buffer);
    m_batchLength = 0;
    return batch;
}

bool SensorConnection::batchFullLocked() const { return m_bufferSize > 0 && m_sampleCount >= m_bufferSize; }

void SensorConnection::pruneDataReceived() {
    std::lock_guard guard(m_lock);
    pruneLocked();
}

void SensorConnection::pruneLocked() {
    if (!m_buffer || m_sampleCount == m_batchLength) return;
    JavaPtr<JArray<Data>> pruned = jnew<JArray<Data>>(m_buffer->length);
    for (int32_t i = 0; i < m_buffer->length; ++i)
        (*pruned)[i] = java::lang::recastObj<DataImpl>((*m_buffer)[i])->truncated(m_sampleCount);
    m_buffer = std::move(pruned);
    m_batchLength = m_sampleCount;
}

void SensorConnection::markClosed() {
    std::lock_guard guard(m_lock);
    m_state = STATE_CLOSED;
    m_batchChanged.notify_all();
}

void SensorConnection::bufferReading(const JavaPtr<JArray<ChannelInfo>>& channels, int32_t maxBufferSize,
                                     const double* channelValues, int64_t timestamp) {
    std::lock_guard guard(m_lock);
    if (!m_listening) return;
    if (!m_buffer) {
        // The sensor's largest buffer bounds every batch: a size beyond it would allocate whatever
        // the caller asked for on each pass.
        if (m_bufferSize < 1 || m_bufferSize > maxBufferSize) m_bufferSize = maxBufferSize;
        // Built whole before it is kept, so that a failed allocation leaves no half-made batch.
        JavaPtr<JArray<Data>> batch = jnew<JArray<Data>>(channels->length);
        for (int32_t c = 0; c < channels->length; ++c)
            (*batch)[c] = jnew<DataImpl>((*channels)[c], jnew<JArray<double>>(m_bufferSize), nullptr, nullptr,
                                         arrayIf<long long>(m_timestampIncluded, m_bufferSize),
                                         arrayIf<float>(m_uncertaintyIncluded, m_bufferSize),
                                         arrayIf<bool>(m_validityIncluded, m_bufferSize));
        m_buffer = std::move(batch);
        m_batchLength = m_bufferSize;
    }
    if (m_sampleCount >= m_bufferSize || m_sampleCount >= m_batchLength) {
        m_dataLost = true;
        return;
    }
    for (int32_t c = 0; c < m_buffer->length; ++c) {
        DataImpl* data = static_cast<DataImpl*>((*m_buffer)[c]->castAsTypeID(DataImpl::typeID));
        (*data->doubleValues)[m_sampleCount] = channelValues[c];
        if (data->timestamps) (*data->timestamps)[m_sampleCount] = timestamp;
        if (data->uncertainties) (*data->uncertainties)[m_sampleCount] = 0.0f;
        if (data->validities) (*data->validities)[m_sampleCount] = true;
    }
    ++m_sampleCount;
    m_batchChanged.notify_all();
}

void SensorConnection::deliverIfDue() {
    JavaPtr<DataListener> listener;
    JavaPtr<JArray<Data>> batch;
    bool dataLost = false;
    {
        std::lock_guard guard(m_lock);
        if (!m_listener) return;
        const bool due = batchFullLocked() ||
                         (m_bufferingPeriod > 0 && System::currentTimeMillis() >= m_deadline);
        if (!due) return;
        if (m_buffer) {
            pruneLocked();
            batch = std::move(m_buffer);
            dataLost = m_dataLost;
            listener = m_listener;
            m_batchLength = 0;
            m_sampleCount = 0;
            m_dataLost = false;
        }
        m_deadline = System::currentTimeMillis() + m_bufferingPeriod;
    }
    // Handed over before the call, so a listener that throws neither gets the batch again nor
    // stops the next one.
    if (batch) java::lang::runGuarded([&] { listener->dataReceived(JavaPtr<SensorConnection>(this), batch, dataLost); });
}

}  // namespace javax::microedition::sensor
