// The record-store file: encoding a store's contents and decoding them with every field checked.
//
// Big-endian throughout:
//   "wlsf"                magic
//   u16  version          1
//   u16  n                name length in UTF-16 units, 1 to 32
//   n × u16               name
//   i32  next record id   at least 1, above every id in the file
//   i32  record count
//   per record: i32 id (ascending), i32 length, length bytes
//   u32  CRC-32 of every byte before it
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace javax::microedition::rms {

// A bound on what one store may take, so that a damaged length never leads to a huge allocation.
inline constexpr int64_t maxStoreFileBytes = int64_t{64} << 20;
inline constexpr size_t maxStoreNameLength = 32;

struct StoredRecord {
    int32_t id = 0;
    std::vector<signed char> data;
};

struct StoreContents {
    std::u16string name;
    int32_t nextRecordId = 1;
    std::vector<StoredRecord> records;  // ascending ids, in the order they were added
};

// A record as a save sees it: the bytes are borrowed from the store or the caller.
struct RecordView {
    int32_t id = 0;
    std::span<const signed char> data;
};

int64_t encodedStoreSize(size_t nameLength, std::span<const RecordView> records);
std::vector<unsigned char> encodeStoreFile(std::u16string_view name, int32_t nextRecordId,
                                           std::span<const RecordView> records);
// Nothing when the bytes are not a whole, undamaged store file; the reason goes to whyRefused.
std::optional<StoreContents> decodeStoreFile(std::span<const unsigned char> bytes, std::string* whyRefused = nullptr);

}  // namespace javax::microedition::rms
