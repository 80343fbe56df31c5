#include "app/framework/ResourceHandler.h"

#include <algorithm>
#include <bit>
#include <mutex>

#include "app/framework/BundleBytes.h"
#include "app/framework/HookCanvas.h"
#include "runtime/io/ByteArrayOutputStream.h"
#include "runtime/io/DataInputStream.h"
#include "runtime/io/EOFException.h"
#include "runtime/io/FileSystem.h"
#include "runtime/io/IOException.h"
#include "runtime/io/InputStream.h"
#include "runtime/io/Utf8.h"
#include "runtime/lang/Class.h"
#include "runtime/text/String.h"

using java::io::IOException;
using java::lang::jnew;
using java::lang::String;

namespace {

constexpr int32_t kHeaderSize = 16;
constexpr int32_t kRecordSize = 9;
std::mutex rtclassLock;

}  // namespace

JavaPtr<java::io::DataInputStream> ResourceHandler::getFileFromJarAsDataInputStream(const JavaPtr<String>& name) {
    JavaPtr<java::lang::Class> bundleClass;
    {
        // Several threads read the bundle; the first sets the canvas's class static.
        std::lock_guard guard(rtclassLock);
        if (!HookCanvas::rtclass) HookCanvas::rtclass = jnew<java::lang::Class>(jnew<String>("HookCanvas"));
        bundleClass = HookCanvas::rtclass;
    }
    JavaPtr<java::io::InputStream> in = bundleClass->getResourceAsStream(jnew<String>("/") + name);
    if (!in) return nullptr;
    return jnew<java::io::DataInputStream>(in);
}

JavaPtr<JArray<signed char>> ResourceHandler::loadFileFromJar(const JavaPtr<String>& name, int32_t length) {
    if (length < -1) throw java::lang::IllegalArgumentException("negative length for a bundle file");
    JavaPtr<java::io::DataInputStream> in = getFileFromJarAsDataInputStream(name);
    if (!in) return nullptr;
    struct Closer {
        java::io::DataInputStream& in;
        ~Closer() {
            try {
                in.close();
            } catch (...) {
            }
        }
    } closer{*in};
    if (length >= 0) {
        auto data = jnew<JArray<signed char>>(length);
        try {
            in->readFully(data);
        } catch (java::io::EOFException&) {
            // Named, so that whoever reports the failure says which file is cut short.
            throw java::io::EOFException(jnew<String>("the bundle file ") + name + " ends before its " + length + " bytes");
        }
        return data;
    }
    // Sized before it is read, and read no further than that size, which the bundle's stream counts exactly.
    const int32_t size = in->available();
    if (size > MAX_WHOLE_FILE_BYTES) return nullptr;
    auto out = jnew<java::io::ByteArrayOutputStream>();
    auto buffer = jnew<JArray<signed char>>(1024);
    for (int32_t n; out->size() < size && (n = in->read(buffer, 0, std::min(buffer->length, size - out->size()))) > 0;)
        out->write(buffer, 0, n);
    auto data = out->toByteArray();
    out->close();
    return data;
}

void ResourceHandler::initWendrel() {
    const JavaPtr<JArray<signed char>> data = loadFileFromJar(jnew<String>("resmap"), -1);
    if (!data) throw IOException("the resource map \"resmap\" is missing");
    readResourceMap(data);
}

void ResourceHandler::readResourceMap(const JavaPtr<JArray<signed char>>& data) {
    const BundleBytes map(BundleBytes::of(data));
    const int32_t packs = map.u8(0), blocks = map.u8(1), resources = map.i32(2);
    if (resources < 0) throw IOException("the resource map counts fewer than no resources");

    int64_t pos = kHeaderSize;
    auto newLanguages = BundleBytes::copy(map.slice(6, 10));
    auto blockRecords = BundleBytes::copy(map.slice(pos, int64_t{kRecordSize} * blocks));
    pos += int64_t{kRecordSize} * blocks;
    auto resourceRecords = BundleBytes::copy(map.slice(pos, int64_t{kRecordSize} * resources));
    pos += int64_t{kRecordSize} * resources;

    // Every record must name a pack or block the map has and lie inside it, so no later read can stray.
    for (int32_t b = 0; b < blocks; ++b) {
        const int64_t at = kHeaderSize + int64_t{kRecordSize} * b;
        const int32_t pack = map.i8(at), offset = map.i32(at + 1), length = map.i32(at + 5);
        if (pack < -1 || pack >= packs || offset < 0 || length < 0 || int64_t{offset} + length > INT32_MAX)
            throw IOException("a block of the resource map lies outside its pack");
    }
    const int64_t resourcesAt = kHeaderSize + int64_t{kRecordSize} * blocks;
    for (int32_t r = 0; r < resources; ++r) {
        const int64_t at = resourcesAt + int64_t{kRecordSize} * r;
        const int32_t block = map.i8(at), offset = map.i32(at + 1), length = map.i32(at + 5);
        if (block < -1 || block >= blocks || length < 0)
            throw IOException("a resource of the resource map names a block it does not have");
        if (block >= 0) {
            const int32_t blockLength = map.i32(kHeaderSize + int64_t{kRecordSize} * block + 5);
            if (offset < 0 || int64_t{offset} + length > blockLength)
                throw IOException("a resource of the resource map lies outside its block");
        }
    }

    JavaPtr<JArray<int>> keys;
    const int32_t keyCount = map.u8(pos++);
    if (keyCount > 0) {
        keys = jnew<JArray<int>>(2 * keyCount);
        for (int32_t i = 0; i < keyCount; ++i, pos += 6) {
            keys->data[2 * i] = map.i16(pos);
            keys->data[2 * i + 1] = map.i32(pos + 2);
        }
    }
    JavaPtr<JArray<JArray<int>>> tables;
    const int32_t tableCount = map.u8(pos++);
    if (tableCount > 0) {
        tables = jnew<JArray<JArray<int>>>(tableCount);
        for (int32_t t = 0; t < tableCount; ++t) {
            const int32_t n = map.i32(pos);
            pos += 4;
            if (n < 0) throw IOException("an int table of the resource map has a negative size");
            map.slice(pos, int64_t{4} * n);  // the whole table must be there before it is allocated
            if (n == 0) continue;
            auto table = jnew<JArray<int>>(n);
            for (int32_t i = 0; i < n; ++i, pos += 4) table->data[i] = map.i32(pos);
            tables->data[t] = table;
        }
    }

    std::lock_guard guard(m_lock);
    languages = newLanguages;
    block_pack_mappings = blockRecords;
    res_block_mappings = resourceRecords;
    internal_key_mappings = keys;
    resource_int_tables = tables;
    m_blockCount = blocks;
    m_resourceCount = resources;
    resource_packs = jnew<JArray<JArray<signed char>>>(packs);
    times_resource_pack_reference = jnew<JArray<int>>(packs);
}

void ResourceHandler::clear() {
    std::lock_guard guard(m_lock);
    languages = block_pack_mappings = res_block_mappings = nullptr;
    internal_key_mappings = nullptr;
    resource_int_tables = nullptr;
    resource_packs = nullptr;
    times_resource_pack_reference = nullptr;
    m_blockCount = m_resourceCount = 0;
}

std::vector<ResourceHandler::BundleFile> ResourceHandler::bundleFiles() {
    std::lock_guard guard(m_lock);
    std::vector<BundleFile> files;
    for (int32_t at = 0; languages && at + 1 < languages->length && languages->data[at] != 0; at += 2)
        files.push_back({languages->data[at + 1] == 0 ? std::string(1, static_cast<char>(languages->data[at]))
                                                       : std::string{static_cast<char>(languages->data[at]),
                                                                     static_cast<char>(languages->data[at + 1])}});
    // The end of each pack's last block; -1 for a pack no block lies in.
    std::vector<int64_t> packEnds;
    for (int32_t b = 0; b < m_blockCount; ++b) {
        const Record block = blockRecord(b);
        if (block.owner < 0) continue;
        if (static_cast<size_t>(block.owner) >= packEnds.size()) packEnds.resize(static_cast<size_t>(block.owner) + 1, -1);
        int64_t& end = packEnds[static_cast<size_t>(block.owner)];
        end = std::max(end, int64_t{block.offset} + block.length);
    }
    for (size_t pack = 0; pack < packEnds.size(); ++pack)
        if (packEnds[pack] >= 0) files.push_back({"pk" + std::to_string(pack), packEnds[pack], MAX_PACK_BYTES});
    for (int32_t id = 0; id < m_resourceCount; ++id)
        if (resourceRecord(id).owner < 0) files.push_back({"ur" + std::to_string(id), 0, MAX_PACK_BYTES});
    return files;
}

ResourceHandler::Record ResourceHandler::blockRecord(int32_t block) const {
    const BundleBytes records(BundleBytes::of(block_pack_mappings));
    const int64_t at = int64_t{kRecordSize} * block;
    return {records.i8(at), records.i32(at + 1), records.i32(at + 5)};
}

ResourceHandler::Record ResourceHandler::resourceRecord(int32_t id) const {
    const BundleBytes records(BundleBytes::of(res_block_mappings));
    const int64_t at = int64_t{kRecordSize} * id;
    return {records.i8(at), records.i32(at + 1), records.i32(at + 5)};
}

int32_t ResourceHandler::packOfBlock(int32_t block) const {
    if (block < 0 || block >= m_blockCount) return -1;
    return blockRecord(block).owner;
}

int32_t ResourceHandler::getBlockOfResource(int32_t id) {
    std::lock_guard guard(m_lock);
    if (id < 0 || id >= m_resourceCount) return -1;
    return resourceRecord(id).owner;
}

std::string ResourceHandler::fileOfResource(int32_t id) {
    std::lock_guard guard(m_lock);
    if (id < 0 || id >= m_resourceCount) return {};
    const int32_t block = resourceRecord(id).owner;
    if (block < 0) return "ur" + std::to_string(id);
    const int32_t pack = packOfBlock(block);
    return pack < 0 ? std::string() : "pk" + std::to_string(pack);
}

IOException ResourceHandler::damagedFile(const std::string& file, IOException& why) {
    const JavaPtr<String> reason = why.getMessage();
    const std::string text = "the bundle '" + java::io::FileSystem::bundleDirectory() + "' has a damaged '" + file +
                             "' (" + (reason ? java::io::toUtf8(reason->view()) : std::string("damaged")) + ")";
    return IOException(text.c_str());
}

void ResourceHandler::loadResourceBlock(int32_t block) {
    int32_t pack;
    int32_t end = -1;
    {
        std::lock_guard guard(m_lock);
        pack = packOfBlock(block);
        if (pack < 0) return;
        if (resource_packs->data[pack]) {
            ++times_resource_pack_reference->data[pack];
            return;
        }
        for (int32_t b = 0; b < m_blockCount; ++b) {
            const Record record = blockRecord(b);
            if (record.owner == pack) end = std::max(end, record.offset + record.length);
        }
    }
    // Read without the lock, so drawing can go on reading other resources meanwhile.
    JavaPtr<JArray<signed char>> contents = loadFileFromJar(jnew<String>("pk") + pack, end);
    std::lock_guard guard(m_lock);
    // The map may have been replaced or cleared while the file was read.
    if (!resource_packs || pack >= resource_packs->length) return;
    if (!resource_packs->data[pack]) {
        resource_packs->data[pack] = contents;
        times_resource_pack_reference->data[pack] = 0;
    }
    // A pack file that is missing stays absent, and so holds nothing.
    if (resource_packs->data[pack]) ++times_resource_pack_reference->data[pack];
}

void ResourceHandler::unloadResourceBlock(int32_t block) {
    std::lock_guard guard(m_lock);
    const int32_t pack = packOfBlock(block);
    if (pack < 0) return;
    int& holds = times_resource_pack_reference->data[pack];
    if (holds > 0) --holds;
}

void ResourceHandler::unloadUnusedResourcePacks() {
    std::lock_guard guard(m_lock);
    if (!resource_packs) return;
    for (int32_t p = 0; p < resource_packs->length; ++p)
        if (times_resource_pack_reference->data[p] == 0) resource_packs->data[p] = nullptr;
}

int32_t ResourceHandler::packHolds(int32_t pack) {
    std::lock_guard guard(m_lock);
    if (!times_resource_pack_reference || pack < 0 || pack >= times_resource_pack_reference->length) return 0;
    return times_resource_pack_reference->data[pack];
}

bool ResourceHandler::packCached(int32_t pack) {
    std::lock_guard guard(m_lock);
    return resource_packs && pack >= 0 && pack < resource_packs->length && resource_packs->data[pack];
}

JavaPtr<JArray<signed char>> ResourceHandler::getResourceByteArray(int32_t id) {
    Record resource{};
    {
        std::lock_guard guard(m_lock);
        if (id < 0 || id >= m_resourceCount) return nullptr;
        resource = resourceRecord(id);
        if (resource.owner >= 0) {
            const Record block = blockRecord(resource.owner);
            if (block.owner < 0) return nullptr;
            const JavaPtr<JArray<signed char>> pack = resource_packs->data[block.owner];
            if (!pack) return nullptr;
            // A pack read whole may still be shorter than the map says; that is bad data, not a crash.
            return BundleBytes::copy(
                BundleBytes(BundleBytes::of(pack)).slice(int64_t{block.offset} + resource.offset, resource.length));
        }
    }
    return loadFileFromJar(jnew<String>("ur") + id, resource.length);
}

namespace {

template <class Element, class Bits>
JavaPtr<JArray<Element>> bigEndianArray(const JavaPtr<JArray<signed char>>& bytes) {
    if (!bytes) return nullptr;
    const BundleBytes data(BundleBytes::of(bytes));
    constexpr int32_t width = sizeof(Bits);
    const int32_t count = bytes->length / width;
    auto array = jnew<JArray<Element>>(count);
    for (int32_t i = 0; i < count; ++i) {
        uint64_t value = 0;
        for (const uint8_t b : data.slice(int64_t{i} * width, width)) value = value << 8 | b;
        array->data[i] = std::bit_cast<Element>(static_cast<Bits>(value));
    }
    return array;
}

}  // namespace

JavaPtr<JArray<char16_t>> ResourceHandler::getResourceCharArray(int32_t id) {
    return bigEndianArray<char16_t, uint16_t>(getResourceByteArray(id));
}
JavaPtr<JArray<short>> ResourceHandler::getResourceShortArray(int32_t id) {
    return bigEndianArray<short, uint16_t>(getResourceByteArray(id));
}
JavaPtr<JArray<int>> ResourceHandler::getResourceIntArray(int32_t id) {
    return bigEndianArray<int, uint32_t>(getResourceByteArray(id));
}
JavaPtr<JArray<long long>> ResourceHandler::getResourceLongArray(int32_t id) {
    return bigEndianArray<long long, uint64_t>(getResourceByteArray(id));
}
JavaPtr<JArray<float>> ResourceHandler::getResourceFloatArray(int32_t id) {
    return bigEndianArray<float, uint32_t>(getResourceByteArray(id));
}
JavaPtr<JArray<double>> ResourceHandler::getResourceDoubleArray(int32_t id) {
    return bigEndianArray<double, uint64_t>(getResourceByteArray(id));
}

JavaPtr<String> ResourceHandler::getResString(int32_t id) { return String::valueOf(id); }
