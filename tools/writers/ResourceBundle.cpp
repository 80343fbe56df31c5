#include "tools/writers/ResourceBundle.h"

#include "tools/writers/BigEndian.h"

namespace writers {

int32_t ResourceBundle::addBlock(int32_t pack) {
    m_blockPacks.push_back(pack);
    return static_cast<int32_t>(m_blockPacks.size()) - 1;
}

int32_t ResourceBundle::addResource(int32_t block, std::vector<uint8_t> bytes) {
    m_resources.push_back({block, std::move(bytes)});
    return static_cast<int32_t>(m_resources.size()) - 1;
}

void ResourceBundle::layOut(std::vector<Placement>& blocks, std::vector<Placement>& resources) const {
    blocks.assign(m_blockPacks.size(), {});
    resources.assign(m_resources.size(), {});
    for (size_t r = 0; r < m_resources.size(); ++r) {
        resources[r].length = static_cast<int32_t>(m_resources[r].bytes.size());
        if (m_resources[r].block < 0) continue;
        Placement& block = blocks.at(static_cast<size_t>(m_resources[r].block));
        resources[r].offset = block.length;
        block.length += resources[r].length;
    }
    std::vector<int32_t> packEnd = m_packPadding;
    for (size_t b = 0; b < blocks.size(); ++b) {
        if (m_blockPacks[b] < 0) continue;
        int32_t& end = packEnd.at(static_cast<size_t>(m_blockPacks[b]));
        blocks[b].offset = end;
        end += blocks[b].length;
    }
}

std::vector<uint8_t> ResourceBundle::resourceMap() const {
    std::vector<Placement> blocks, resources;
    layOut(blocks, resources);
    std::vector<uint8_t> out;
    put8(out, static_cast<int64_t>(m_packPadding.size()));
    put8(out, static_cast<int64_t>(m_blockPacks.size()));
    put32(out, static_cast<int64_t>(m_resources.size()));
    for (const std::string& code : languages)
        for (size_t i = 0; i < 2; ++i) put8(out, i < code.size() ? code[i] : 0);
    for (size_t b = 0; b < blocks.size(); ++b) {
        put8(out, m_blockPacks[b]);
        put32(out, blocks[b].offset);
        put32(out, blocks[b].length);
    }
    for (size_t r = 0; r < resources.size(); ++r) {
        put8(out, m_resources[r].block);
        put32(out, resources[r].offset);
        put32(out, resources[r].length);
    }
    put8(out, static_cast<int64_t>(keyMappings.size()));
    for (const auto& [key, flags] : keyMappings) {
        put16(out, key);
        put32(out, flags);
    }
    put8(out, static_cast<int64_t>(intTables.size()));
    for (const std::vector<int32_t>& table : intTables) {
        put32(out, static_cast<int64_t>(table.size()));
        for (const int32_t value : table) put32(out, value);
    }
    return out;
}

std::map<std::string, std::vector<uint8_t>> ResourceBundle::files() const {
    std::vector<Placement> blocks, resources;
    layOut(blocks, resources);
    std::map<std::string, std::vector<uint8_t>> files;
    files["resmap"] = resourceMap();
    for (size_t p = 0; p < m_packPadding.size(); ++p)
        files["pk" + std::to_string(p)].assign(static_cast<size_t>(m_packPadding[p]), 0xEE);
    for (size_t r = 0; r < m_resources.size(); ++r) {
        const Resource& resource = m_resources[r];
        if (resource.block < 0) {
            files["ur" + std::to_string(r)] = resource.bytes;
            continue;
        }
        const int32_t pack = m_blockPacks.at(static_cast<size_t>(resource.block));
        if (pack < 0) continue;
        std::vector<uint8_t>& file = files["pk" + std::to_string(pack)];
        const size_t at = static_cast<size_t>(blocks[static_cast<size_t>(resource.block)].offset + resources[r].offset);
        if (file.size() < at + resource.bytes.size()) file.resize(at + resource.bytes.size());
        std::copy(resource.bytes.begin(), resource.bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return files;
}

}  // namespace writers
