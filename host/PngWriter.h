// Writes a presented frame as an 8-bit RGB PNG file.
#pragma once

#include <string>

#include "platform/FrontBuffer.h"

// std::runtime_error naming the path when the file cannot be written.
void writePng(const std::string& path, const platform::Frame& frame);
