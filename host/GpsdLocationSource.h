// The windowed host's location service: while location updates run, fixes read from gpsd reach
// the location manager on the UI thread, as the script's do headless.
#pragma once

#include <string>

#include "platform/GpsdReader.h"

class GpsdLocationSource {
public:
    // Becomes the location manager's update source until destroyed.
    GpsdLocationSource(const std::string& host, const std::string& port);
    ~GpsdLocationSource();
    GpsdLocationSource(const GpsdLocationSource&) = delete;
    GpsdLocationSource& operator=(const GpsdLocationSource&) = delete;

    bool connected() const { return m_reader.connected(); }

private:
    platform::GpsdReader m_reader;
};
