// A fresh bundle directory per test, filled from the shared writers, with a resource handler on it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/framework/ResourceHandler.h"
#include "runtime/lcdui/Image.h"
#include "runtime/io/tests/TestDirectories.h"
#include "tools/writers/ResourceBundle.h"

// A byte array holding the bytes, and the bytes of a byte array.
inline JavaPtr<JArray<signed char>> byteArray(const std::vector<uint8_t>& bytes) {
    auto out = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) out->data[i] = static_cast<signed char>(bytes[i]);
    return out;
}
inline std::vector<uint8_t> bytesOf(const JavaPtr<JArray<signed char>>& array) {
    if (!array) return {};
    return {reinterpret_cast<const uint8_t*>(array->data), reinterpret_cast<const uint8_t*>(array->data) + array->length};
}

// An image's pixels as 0xAARRGGBB.
inline std::vector<uint32_t> pixelsOf(const JavaPtr<javax::microedition::lcdui::Image>& image) {
    if (!image) return {};
    const int32_t w = image->getWidth(), h = image->getHeight();
    auto rgb = java::lang::jnew<JArray<int>>(w * h);
    image->getRGB(rgb, 0, w, 0, 0, w, h);
    return {reinterpret_cast<uint32_t*>(rgb->data), reinterpret_cast<uint32_t*>(rgb->data) + w * h};
}

class BundleFixture : public TestDirectories {
protected:
    void install(const writers::ResourceBundle& bundle) {
        for (const auto& [name, bytes] : bundle.files()) writeFile(this->bundle / name, {bytes.begin(), bytes.end()});
        resources.initWendrel();
    }

    ResourceHandler resources;
};
