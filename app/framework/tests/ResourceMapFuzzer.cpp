// Fuzzes the resource map reader, then every id and block lookup over an empty bundle directory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>

#include "app/framework/BundleBytes.h"
#include "app/framework/ResourceHandler.h"
#include "runtime/io/FileSystem.h"
#include "runtime/io/IOException.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const auto bundle = std::filesystem::temp_directory_path() / "lexivo-resmap-fuzz";
    std::filesystem::create_directories(bundle);
    java::io::FileSystem::setDirectories(bundle.string(), (bundle / "documents").string());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResourceHandler resources;
    try {
        resources.readResourceMap(BundleBytes::copy({data, size}));
    } catch (const java::io::IOException&) {
        return 0;
    }
    for (int32_t id = -1; id < 64; ++id) {
        const int32_t block = resources.getBlockOfResource(id);
        try {
            resources.loadResourceBlock(block);
            resources.getResourceIntArray(id);
        } catch (const java::io::IOException&) {
        }
        resources.unloadResourceBlock(block);
        resources.unloadResourceBlock(id);
    }
    resources.unloadUnusedResourcePacks();
    return 0;
}
