// An open connection to a sensor: read by a DataListener that the polling pass feeds batches,
// or by a blocking getData. Holds the batch being collected; the sensor's class supplies the rest.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "runtime/connections/Connection.h"
#include "runtime/lang/JArray.h"
#include "runtime/sensor/Data.h"
#include "runtime/sensor/DataListener.h"

namespace javax::microedition::sensor {

class Channel;
class ChannelInfo;
class SensorInfo;

class SensorConnection : public java::lang::Object, public virtual javax::microedition::io::Connection {
    JAVA_CLASS(SensorConnection, "javax.microedition.sensor.SensorConnection", java::lang::Object,
               javax::microedition::io::Connection)
public:
    static constexpr int32_t STATE_OPENED = 1;
    static constexpr int32_t STATE_LISTENING = 2;
    static constexpr int32_t STATE_CLOSED = 4;

    virtual JavaPtr<Channel> getChannel(JavaPtr<ChannelInfo> info) = 0;
    virtual JavaPtr<JArray<Data>> getData(int32_t bufferSize);
    // Arms one batch and blocks until it is full or its period has passed. IllegalStateException
    // while a listener is set, IOException when closed (also while waiting),
    // IllegalArgumentException when neither a size nor a period bounds the batch.
    virtual JavaPtr<JArray<Data>> getData(int32_t bufferSize, int64_t bufferingPeriod, bool isTimestampIncluded,
                                          bool isUncertaintyIncluded, bool isValidityIncluded);
    virtual JavaPtr<JArray<int>> getErrorCodes() = 0;
    virtual JavaPtr<java::lang::String> getErrorText(int32_t errorCode) = 0;
    virtual JavaPtr<SensorInfo> getSensorInfo() = 0;
    virtual int32_t getState();
    virtual void removeDataListener();
    virtual void setDataListener(JavaPtr<DataListener> listener, int32_t bufferSize);
    // NullPointerException for a null listener, IOException when closed. A size below 1 becomes the
    // sensor's largest when the batch begins.
    virtual void setDataListener(JavaPtr<DataListener> listener, int32_t bufferSize, int64_t bufferingPeriod,
                                 bool isTimestampIncluded, bool isUncertaintyIncluded, bool isValidityIncluded);
    // Cuts the collected batch to the samples it holds.
    virtual void pruneDataReceived();

    // The polling pass's side, on the tick thread. channelValues holds one value per channel.
    void bufferReading(const JavaPtr<JArray<ChannelInfo>>& channels, int32_t maxBufferSize,
                       const double* channelValues, int64_t timestamp);
    // Delivers the batch to the listener when it is full or its period has passed; the listener
    // is called without the connection's lock, and an exception it throws is reported, not passed on.
    void deliverIfDue();

protected:
    // The sensor's close: no listener or batch is taken, but a waiting getData gives up.
    void markClosed();

private:
    void arm(int32_t bufferSize, int64_t bufferingPeriod, bool timestamps, bool uncertainties, bool validities);
    void pruneLocked();
    bool batchFullLocked() const;

    // Guards every field below; the application's threads and the tick thread share them.
    std::mutex m_lock;
    std::condition_variable m_batchChanged;
    int32_t m_state = STATE_OPENED;
    JavaPtr<DataListener> m_listener;
    bool m_listening = false;
    int32_t m_sampleCount = 0;
    int32_t m_bufferSize = 0;
    int32_t m_bufferingPeriod = 0;
    int64_t m_deadline = 0;
    bool m_dataLost = false;
    bool m_timestampIncluded = false;
    bool m_uncertaintyIncluded = false;
    bool m_validityIncluded = false;
    // The batch being collected: one DataImpl per channel, each array m_batchLength long.
    JavaPtr<JArray<Data>> m_buffer;
    int32_t m_batchLength = 0;
};

}  // namespace javax::microedition::sensor
