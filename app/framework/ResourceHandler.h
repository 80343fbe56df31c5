// The resource map and packs: numbered resources placed in blocks of pack files, packs cached
// whole and held by counts, resources handed out as bytes or big-endian typed arrays.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/io/IOException.h"
#include "runtime/lang/JArray.h"

namespace java::lang { class Class; class String; }
namespace java::io { class DataInputStream; }

class ResourceHandler {
public:
    // The files read whole (the map, language files, topics, questions) hold from one to a few hundred
    // kilobytes; a hundred times the largest shipped, the test's 155 KB of questions, is none of them.
    static constexpr int32_t MAX_WHOLE_FILE_BYTES = 16 << 20;
    // A block's int32 offset and length, and a resource's own file's int32 length, reach no further.
    static constexpr int64_t MAX_PACK_BYTES = INT32_MAX;

    // Reads "resmap" and builds every table; forgets cached packs and holds. IOException when the map
    // is missing or does not hold what its counts announce.
    void initWendrel();
    // The same from the map's bytes.
    void readResourceMap(const JavaPtr<JArray<signed char>>& data);
    // Forgets the map, the packs and the holds, as before initWendrel.
    void clear();
    struct BundleFile {
        std::string name;
        // A pack is read up to its last block's end, and a shorter one fails every load.
        int64_t leastLength = 0;
        // A language file is read whole, a pack or a resource's own file as far as the map reaches.
        int64_t mostLength = MAX_WHOLE_FILE_BYTES;
    };
    // The bundle files the map's resources are read from: its language files, the packs its blocks
    // lie in and the files of resources in no block.
    std::vector<BundleFile> bundleFiles();

    // The bundle file "/" + name: exactly length bytes (EOFException naming it when shorter), or the whole file
    // for -1. Null when there is no such file, and for -1 when it is larger than MAX_WHOLE_FILE_BYTES.
    static JavaPtr<JArray<signed char>> loadFileFromJar(const JavaPtr<java::lang::String>& name, int32_t length);
    static JavaPtr<java::io::DataInputStream> getFileFromJarAsDataInputStream(const JavaPtr<java::lang::String>& name);

    // -1 for a resource in no block, and for an id the map does not hold.
    int32_t getBlockOfResource(int32_t id);
    // The bundle file the resource is read from: its block's pack, or its own file for one in no
    // block; empty for an id the map does not hold.
    std::string fileOfResource(int32_t id);
    // What a bundle file's data failing to decode is reported as: the file named, in the words of
    // the check before the start, so that the player knows which file to replace.
    static java::io::IOException damagedFile(const std::string& file, java::io::IOException& why);
    // Block -1 (and any block the map does not hold) loads nothing.
    void loadResourceBlock(int32_t block);
    // Never drops a hold the pack does not have.
    void unloadResourceBlock(int32_t block);
    void unloadUnusedResourcePacks();

    // A fresh copy; null while the block's pack is not loaded, for a missing file or an unknown id.
    JavaPtr<JArray<signed char>> getResourceByteArray(int32_t id);
    JavaPtr<JArray<char16_t>> getResourceCharArray(int32_t id);
    JavaPtr<JArray<short>> getResourceShortArray(int32_t id);
    JavaPtr<JArray<int>> getResourceIntArray(int32_t id);
    JavaPtr<JArray<long long>> getResourceLongArray(int32_t id);
    JavaPtr<JArray<float>> getResourceFloatArray(int32_t id);
    JavaPtr<JArray<double>> getResourceDoubleArray(int32_t id);
    static JavaPtr<java::lang::String> getResString(int32_t id);
    static int32_t getResID(const JavaPtr<java::lang::String>& name) { return -1; }

    // How many block loads hold the pack now; 0 for a pack the map does not hold.
    int32_t packHolds(int32_t pack);
    bool packCached(int32_t pack);

    // The tables, as read from the map; null until initWendrel.
    JavaPtr<JArray<signed char>> languages;
    JavaPtr<JArray<signed char>> block_pack_mappings;
    JavaPtr<JArray<signed char>> res_block_mappings;
    JavaPtr<JArray<int>> internal_key_mappings;
    JavaPtr<JArray<JArray<int>>> resource_int_tables;
    // Slot p holds pack p while it is cached; its holds count beside it. Both change under the lock.
    JavaPtr<JArray<JArray<signed char>>> resource_packs;
    // Plain ints: a hold count neither wraps after 127 holds nor goes below 0.
    JavaPtr<JArray<int>> times_resource_pack_reference;

private:
    struct Record {
        int32_t owner;  // the pack of a block, the block of a resource; -1 for none
        int32_t offset;
        int32_t length;
    };
    Record blockRecord(int32_t block) const;
    Record resourceRecord(int32_t id) const;
    int32_t packOfBlock(int32_t block) const;

    // Pack slots and holds change on the loading thread while drawing reads resources.
    std::mutex m_lock;
    int32_t m_blockCount = 0;
    int32_t m_resourceCount = 0;
};
