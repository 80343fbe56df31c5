// Feeds arbitrary bytes to the store-file reader, as they are and with a correct checksum appended,
// so that the structure checks behind the checksum are reached too.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/io/rms/Crc32.h"
#include "runtime/io/rms/StoreFileFormat.h"

using namespace javax::microedition::rms;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const unsigned char> raw(data, size);
    decodeStoreFile(raw);

    std::vector<unsigned char> sealed(raw.begin(), raw.end());
    const uint32_t sum = crc32(raw);
    for (int shift = 24; shift >= 0; shift -= 8) sealed.push_back(static_cast<unsigned char>(sum >> shift));
    if (const auto contents = decodeStoreFile(sealed)) {
        // What was accepted must encode back to the very same bytes.
        std::vector<RecordView> views;
        for (const StoredRecord& record : contents->records) views.push_back({record.id, record.data});
        if (encodeStoreFile(contents->name, contents->nextRecordId, views) != sealed) __builtin_trap();
    }
    return 0;
}
