#include "host/GpsdLocationSource.h"

#include "host/LocationManager.h"
#include "platform/UiThread.h"

GpsdLocationSource::GpsdLocationSource(const std::string& host, const std::string& port)
    : m_reader(host, port, [](const platform::GpsdReader::Fix& read) {
          LocationFix fix{read.latitude, read.longitude, read.horizontalAccuracy, read.altitude, read.verticalAccuracy,
                          read.time};
          // A fix that finds the updates stopped when its turn comes is dropped there.
          UiThread::post([fix] { LocationManager::deliver(fix); });
      }) {
    LocationManager::setUpdateSource([this](bool updating) { updating ? m_reader.start() : m_reader.stop(); });
}

GpsdLocationSource::~GpsdLocationSource() {
    LocationManager::setUpdateSource(nullptr);
    m_reader.stop();
}
