#include "runtime/io/rms/StoreFileFormat.h"

#include <cstring>

#include "runtime/io/rms/Crc32.h"

namespace javax::microedition::rms {

namespace {

constexpr unsigned char magic[4] = {'w', 'l', 's', 'f'};
constexpr uint16_t formatVersion = 1;
constexpr int64_t fixedHeaderBytes = 4 + 2 + 2 + 4 + 4;
constexpr int64_t recordHeaderBytes = 8;
constexpr int64_t checksumBytes = 4;

void putBigEndian(std::vector<unsigned char>& out, uint32_t value, int byteCount) {
    for (int shift = (byteCount - 1) * 8; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

// Reads fields in order and remembers the first that did not fit.
class Reader {
public:
    explicit Reader(std::span<const unsigned char> bytes) : m_bytes(bytes) {}

    size_t remaining() const { return m_bytes.size() - m_at; }
    uint32_t take(int byteCount) {
        uint32_t value = 0;
        for (int i = 0; i < byteCount; ++i) value = (value << 8) | m_bytes[m_at++];
        return value;
    }
    std::span<const unsigned char> takeBytes(size_t count) {
        auto part = m_bytes.subspan(m_at, count);
        m_at += count;
        return part;
    }

private:
    std::span<const unsigned char> m_bytes;
    size_t m_at = 0;
};

std::optional<StoreContents> refuse(std::string* whyRefused, const char* reason) {
    if (whyRefused) *whyRefused = reason;
    return std::nullopt;
}

}  // namespace

int64_t encodedStoreSize(size_t nameLength, std::span<const RecordView> records) {
    int64_t size = fixedHeaderBytes + 2 * static_cast<int64_t>(nameLength) + checksumBytes;
    for (const RecordView& record : records) size += recordHeaderBytes + static_cast<int64_t>(record.data.size());
    return size;
}

std::vector<unsigned char> encodeStoreFile(std::u16string_view name, int32_t nextRecordId,
                                           std::span<const RecordView> records) {
    std::vector<unsigned char> out;
    out.reserve(static_cast<size_t>(encodedStoreSize(name.size(), records)));
    out.insert(out.end(), std::begin(magic), std::end(magic));
    putBigEndian(out, formatVersion, 2);
    putBigEndian(out, static_cast<uint32_t>(name.size()), 2);
    for (char16_t unit : name) putBigEndian(out, unit, 2);
    putBigEndian(out, static_cast<uint32_t>(nextRecordId), 4);
    putBigEndian(out, static_cast<uint32_t>(records.size()), 4);
    for (const RecordView& record : records) {
        putBigEndian(out, static_cast<uint32_t>(record.id), 4);
        putBigEndian(out, static_cast<uint32_t>(record.data.size()), 4);
        const auto* bytes = reinterpret_cast<const unsigned char*>(record.data.data());
        out.insert(out.end(), bytes, bytes + record.data.size());
    }
    putBigEndian(out, crc32(out), 4);
    return out;
}

std::optional<StoreContents> decodeStoreFile(std::span<const unsigned char> bytes, std::string* whyRefused) {
    const auto size = static_cast<int64_t>(bytes.size());
    if (size < fixedHeaderBytes + checksumBytes) return refuse(whyRefused, "too short for a store file");
    if (size > maxStoreFileBytes) return refuse(whyRefused, "larger than any store file");
    if (std::memcmp(bytes.data(), magic, sizeof magic) != 0) return refuse(whyRefused, "not a store file");
    const auto body = bytes.first(bytes.size() - checksumBytes);
    Reader checksum(bytes.last(checksumBytes));
    if (checksum.take(4) != crc32(body)) return refuse(whyRefused, "checksum mismatch (damaged or torn)");

    Reader in(body);
    in.takeBytes(sizeof magic);
    if (in.take(2) != formatVersion) return refuse(whyRefused, "unknown format version");
    const uint32_t nameLength = in.take(2);
    if (nameLength == 0 || nameLength > maxStoreNameLength) return refuse(whyRefused, "bad name length");
    if (in.remaining() < 2 * nameLength + 8) return refuse(whyRefused, "name runs past the end");
    StoreContents contents;
    for (uint32_t i = 0; i < nameLength; ++i) contents.name += static_cast<char16_t>(in.take(2));
    contents.nextRecordId = static_cast<int32_t>(in.take(4));
    const auto recordCount = static_cast<int32_t>(in.take(4));
    if (contents.nextRecordId < 1) return refuse(whyRefused, "bad next record id");
    if (recordCount < 0 || static_cast<uint64_t>(recordCount) > in.remaining() / recordHeaderBytes)
        return refuse(whyRefused, "bad record count");

    contents.records.reserve(static_cast<size_t>(recordCount));
    int32_t previousId = 0;
    for (int32_t i = 0; i < recordCount; ++i) {
        if (in.remaining() < recordHeaderBytes) return refuse(whyRefused, "record runs past the end");
        const auto id = static_cast<int32_t>(in.take(4));
        const auto length = static_cast<int32_t>(in.take(4));
        if (id <= previousId || id >= contents.nextRecordId) return refuse(whyRefused, "bad record id");
        if (length < 0 || static_cast<uint64_t>(length) > in.remaining())
            return refuse(whyRefused, "record runs past the end");
        const auto data = in.takeBytes(static_cast<size_t>(length));
        contents.records.push_back({id, std::vector<signed char>(data.begin(), data.end())});
        previousId = id;
    }
    if (in.remaining() != 0) return refuse(whyRefused, "bytes after the last record");
    return contents;
}

}  // namespace javax::microedition::rms
