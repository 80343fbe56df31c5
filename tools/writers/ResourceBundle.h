// Writes the resource map "resmap", the pack files "pk" + n and the single files "ur" + id from a
// description of packs, blocks and resources, laid out one after the other.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace writers {

class ResourceBundle {
public:
    explicit ResourceBundle(int32_t packCount) : m_packPadding(static_cast<size_t>(packCount), 0) {}

    // Bytes put at the start of a pack before its first block (a pack need not start with a block).
    void padPack(int32_t pack, int32_t bytes) { m_packPadding.at(static_cast<size_t>(pack)) = bytes; }
    // A new block of the pack (-1: a block of no pack); returns its number.
    int32_t addBlock(int32_t pack);
    // A resource in the block, or in a file of its own for block -1; returns its id.
    int32_t addResource(int32_t block, std::vector<uint8_t> bytes);

    std::array<std::string, 5> languages;
    std::vector<std::pair<int16_t, int32_t>> keyMappings;
    std::vector<std::vector<int32_t>> intTables;

    std::vector<uint8_t> resourceMap() const;
    // Every file of the bundle by name: the map, each pack and each single resource.
    std::map<std::string, std::vector<uint8_t>> files() const;

private:
    struct Resource {
        int32_t block;
        std::vector<uint8_t> bytes;
    };
    struct Placement {
        int32_t offset = 0;  // of the block in its pack, or of the resource in its block
        int32_t length = 0;
    };
    // Where each block lies in its pack and each resource in its block.
    void layOut(std::vector<Placement>& blocks, std::vector<Placement>& resources) const;

    std::vector<int32_t> m_packPadding;
    std::vector<int32_t> m_blockPacks;
    std::vector<Resource> m_resources;
};

}  // namespace writers
