// The resource map, packs with their holds, single-file resources and typed arrays, read back from
// bundles the shared writer made.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>

#include "app/framework/tests/BundleFixture.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

namespace {

using java::io::IOException;
using Bytes = std::vector<uint8_t>;

class ResourceHandlerTest : public BundleFixture {};

TEST_F(ResourceHandlerTest, MapRoundTripKeepsLanguagesKeyMappingsAndIntTables) {
    writers::ResourceBundle bundle(1);
    bundle.languages = {"en", "d", "", "fr", ""};
    bundle.keyMappings = {{-2, 16}, {53, 0x7FFFFFFF}};
    bundle.intTables = {{1, -2, 3}, {}, {int32_t(0x80000000)}};
    bundle.addResource(bundle.addBlock(0), {1});
    install(bundle);

    EXPECT_EQ(bytesOf(resources.languages), (Bytes{'e', 'n', 'd', 0, 0, 0, 'f', 'r', 0, 0}));
    const auto keys = resources.internal_key_mappings;
    ASSERT_TRUE(keys);
    EXPECT_EQ(std::vector<int>(keys->data, keys->data + keys->length), (std::vector<int>{-2, 16, 53, 0x7FFFFFFF}));
    const auto tables = resources.resource_int_tables;
    ASSERT_TRUE(tables);
    ASSERT_EQ(tables->length, 3);
    EXPECT_EQ(std::vector<int>(tables->data[0]->data, tables->data[0]->data + 3), (std::vector<int>{1, -2, 3}));
    EXPECT_FALSE(tables->data[1]) << "an empty table stays null";
    EXPECT_EQ(tables->data[2]->data[0], int32_t(0x80000000)) << "the next table starts right after the empty one";
}

TEST_F(ResourceHandlerTest, TwoBlocksOfOnePackCostOneReadAndFreeOnlyWhenNoHoldIsLeft) {
    writers::ResourceBundle bundle(3);
    bundle.padPack(2, 1000);
    const int32_t first = bundle.addBlock(2), second = bundle.addBlock(2);
    bundle.addResource(first, Bytes(24, 7));
    const int32_t id = bundle.addResource(first, {1, 2, 3, 4, 5, 6, 7, 8});
    const int32_t other = bundle.addResource(second, {9, 9});
    install(bundle);

    EXPECT_EQ(resources.getResourceByteArray(id), nullptr) << "not loaded yet";
    resources.loadResourceBlock(first);
    const Bytes pack = readFile(this->bundle / "pk2");
    EXPECT_EQ(bytesOf(resources.getResourceByteArray(id)), Bytes(pack.begin() + 1024, pack.begin() + 1032));
    std::filesystem::remove(this->bundle / "pk2");
    resources.loadResourceBlock(second);
    EXPECT_EQ(bytesOf(resources.getResourceByteArray(other)), (Bytes{9, 9})) << "the pack was read whole, once";
    EXPECT_EQ(resources.packHolds(2), 2);

    resources.unloadResourceBlock(first);
    resources.unloadUnusedResourcePacks();
    EXPECT_TRUE(resources.packCached(2));
    resources.unloadResourceBlock(second);
    resources.unloadResourceBlock(second);
    EXPECT_EQ(resources.packHolds(2), 0) << "an extra unload cannot take the count below zero";
    resources.unloadUnusedResourcePacks();
    EXPECT_FALSE(resources.packCached(2));
    EXPECT_FALSE(resources.packCached(0)) << "a pack never loaded stays absent";
    EXPECT_EQ(resources.getResourceByteArray(id), nullptr);

    // Holds beyond what a byte counts still keep the pack.
    writeFile(this->bundle / "pk2", pack);
    for (int i = 0; i < 300; ++i) resources.loadResourceBlock(first);
    for (int i = 0; i < 299; ++i) resources.unloadResourceBlock(first);
    resources.unloadUnusedResourcePacks();
    EXPECT_EQ(resources.packHolds(2), 1);
    EXPECT_TRUE(resources.packCached(2));
}

TEST_F(ResourceHandlerTest, SingleFileResourcesNeedNoLoadAndBlockMinusOneLoadsNothing) {
    writers::ResourceBundle bundle(1);
    bundle.addResource(bundle.addBlock(0), {1});
    const int32_t single = bundle.addResource(-1, {4, 5, 6});
    install(bundle);
    EXPECT_EQ(resources.getBlockOfResource(single), -1);
    resources.loadResourceBlock(-1);
    resources.unloadResourceBlock(-1);
    resources.loadResourceBlock(99);
    EXPECT_EQ(bytesOf(resources.getResourceByteArray(single)), (Bytes{4, 5, 6}));
    EXPECT_EQ(resources.getBlockOfResource(1000), -1);
    EXPECT_EQ(resources.getResourceByteArray(1000), nullptr);
    std::filesystem::remove(this->bundle / ("ur" + std::to_string(single)));
    EXPECT_EQ(resources.getResourceByteArray(single), nullptr);
    EXPECT_EQ(resources.getResourceIntArray(single), nullptr);
    EXPECT_EQ(std::u16string(ResourceHandler::getResString(42)->view()), u"42");
    EXPECT_EQ(ResourceHandler::getResID(java::lang::jnew<java::lang::String>("x")), -1);
}

TEST_F(ResourceHandlerTest, TypedArraysReadBigEndianWithSignsAndFloatBits) {
    const Bytes ten = {0xFF, 0xFE, 0x80, 0x00, 0x3F, 0x80, 0x00, 0x00, 0x12, 0x34};
    const Bytes sixteen = {0xC0, 0x00, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE};
    writers::ResourceBundle bundle(0);
    const int32_t a = bundle.addResource(-1, ten), b = bundle.addResource(-1, sixteen);
    install(bundle);

    const auto chars = resources.getResourceCharArray(a);
    const auto shorts = resources.getResourceShortArray(a);
    const auto ints = resources.getResourceIntArray(a);
    const auto floats = resources.getResourceFloatArray(a);
    const auto longs = resources.getResourceLongArray(a);
    const auto doubles = resources.getResourceDoubleArray(b);
    const auto longsB = resources.getResourceLongArray(b);
    EXPECT_EQ(chars->length, 5);
    EXPECT_EQ(chars->data[0], u'\uFFFE');
    EXPECT_EQ(shorts->data[0], -2);
    EXPECT_EQ(shorts->data[1], -32768);
    EXPECT_EQ(shorts->data[4], 0x1234);
    EXPECT_EQ(ints->length, 2);
    EXPECT_EQ(ints->data[0], int32_t(0xFFFE8000));
    EXPECT_EQ(floats->data[1], 1.0f);
    EXPECT_EQ(longs->length, 1);
    EXPECT_EQ(longs->data[0], int64_t(0xFFFE80003F800000));
    EXPECT_EQ(doubles->data[0], -2.0);
    EXPECT_EQ(longsB->data[1], -2);
}

TEST_F(ResourceHandlerTest, DamagedMapsAreRefusedWithIOException) {
    writers::ResourceBundle good(2);
    good.addResource(good.addBlock(1), {1, 2, 3});
    good.intTables = {{5, 6}};
    const Bytes map = good.resourceMap();
    auto with = [&](size_t at, uint8_t value) {
        Bytes changed = map;
        changed[at] = value;
        return changed;
    };
    const size_t block = 16, resource = 16 + 9;
    struct Case {
        const char* name;
        Bytes map;
    };
    const Case cases[] = {
        {"empty", {}},
        {"cut inside the header", Bytes(map.begin(), map.begin() + 10)},
        {"cut inside an int table", Bytes(map.begin(), map.end() - 3)},
        {"block names a pack the map lacks", with(block, 2)},
        {"block with a negative length", with(block + 5, 0x80)},
        {"resource names a block the map lacks", with(resource, 1)},
        {"resource runs past its block", with(resource + 8, 4)},
        {"more resources than records", with(5, 9)},
        {"negative table size", with(map.size() - 12, 0xFF)},
    };
    for (const Case& c : cases) {
        ResourceHandler handler;
        EXPECT_THROW(handler.readResourceMap(byteArray(c.map)), IOException) << c.name;
    }
    EXPECT_THROW(resources.initWendrel(), IOException) << "no map in the bundle";
}

TEST_F(ResourceHandlerTest, PackShorterThanItsBlocksFailsTheLoadNamingItAndCachesNothing) {
    writers::ResourceBundle bundle(1);
    const int32_t block = bundle.addBlock(0);
    bundle.addResource(block, Bytes(50, 1));
    install(bundle);
    writeFile(this->bundle / "pk0", Bytes(20, 1));
    // The length the start check holds the pack to.
    const auto files = resources.bundleFiles();
    const auto pack = std::find_if(files.begin(), files.end(), [](const auto& file) { return file.name == "pk0"; });
    ASSERT_NE(pack, files.end());
    EXPECT_EQ(pack->leastLength, 50);
    try {
        resources.loadResourceBlock(block);
        ADD_FAILURE() << "the short pack loaded";
    } catch (IOException& cut) {
        const auto message = cut.getMessage();
        EXPECT_EQ(message ? std::string(message->val()) : "", "the bundle file pk0 ends before its 50 bytes");
    }
    EXPECT_FALSE(resources.packCached(0));
}

// Sparse files, sized by the runtime before it reads a byte: past its kind's cap a file is absent.
TEST_F(ResourceHandlerTest, FilesPastWhatTheirKindCanHoldAreReadAsMissingOnes) {
    writers::ResourceBundle bundle(1);
    const int32_t block = bundle.addBlock(0);
    bundle.addResource(block, Bytes(50, 1));
    install(bundle);
    writeFile(this->bundle / "whole", {});
    const auto files = resources.bundleFiles();
    const auto pack = std::find_if(files.begin(), files.end(), [](const auto& file) { return file.name == "pk0"; });
    ASSERT_NE(pack, files.end());
    EXPECT_EQ(pack->mostLength, ResourceHandler::MAX_PACK_BYTES);
    const struct {
        const char* name;
        uintmax_t size;
        int32_t length;  // as loadFileFromJar is asked
        bool read;
    } cases[] = {
        {"whole", ResourceHandler::MAX_WHOLE_FILE_BYTES, -1, true},
        {"whole", ResourceHandler::MAX_WHOLE_FILE_BYTES + 1, -1, false},
        {"whole", (uintmax_t{1} << 32) + 5, -1, false},
        // The loading reads no further than the blocks reach, but no block reaches past int32.
        {"pk0", ResourceHandler::MAX_PACK_BYTES + 1, 50, false},
        {"pk0", (uintmax_t{1} << 32) + 5, 50, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " of " + std::to_string(c.size));
        std::filesystem::resize_file(this->bundle / c.name, c.size);
        const auto bytes = ResourceHandler::loadFileFromJar(java::lang::jnew<java::lang::String>(c.name), c.length);
        EXPECT_EQ(bytes != nullptr, c.read);
        if (bytes && c.read) EXPECT_EQ(bytes->length, c.length < 0 ? static_cast<int32_t>(c.size) : c.length);
    }
}

// What a decoding failure names as the damaged file.
TEST_F(ResourceHandlerTest, EachResourceNamesTheFileItIsReadFrom) {
    writers::ResourceBundle bundle(2);
    const int32_t inPack = bundle.addResource(bundle.addBlock(1), {1});
    const int32_t alone = bundle.addResource(-1, {2});
    install(bundle);
    const struct {
        int32_t id;
        std::string file;
    } cases[] = {{inPack, "pk1"}, {alone, "ur" + std::to_string(alone)}, {alone + 1, ""}, {-1, ""}};
    for (const auto& c : cases) EXPECT_EQ(resources.fileOfResource(c.id), c.file) << c.id;
}

}  // namespace
