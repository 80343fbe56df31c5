// The store files in the documents directory: "rs_" + number per store, saved through "rs_tmp" + number.
// A store's number is found by reading the names inside the files, so it needs no index of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "runtime/io/rms/StoreFileFormat.h"

namespace javax::microedition::rms {

struct StoreLookup {
    std::optional<int32_t> number;  // the file holding the store, when one does
    std::optional<StoreContents> contents;
    int64_t nextFreeNumber = 0;  // above every store file's number
    std::string damagedFile;  // a file that could not be read, which may hold any store; empty when none
    std::string damage;
};

class StoreDirectory {
public:
    explicit StoreDirectory(std::string path) : m_path(std::move(path)) {}

    // Reads every store file; RecordStoreFullException when the directory cannot be listed.
    StoreLookup find(std::u16string_view name) const;
    // Writes the temporary file whole, flushes it, renames it over the store file and flushes the
    // directory. On failure nothing has replaced the old file (unless only the last flush failed)
    // and RecordStoreFullException (no room) or RecordStoreException says which step failed.
    void save(int32_t number, std::span<const unsigned char> bytes) const;
    void remove(int32_t number) const;

    std::string storePath(int32_t number) const;
    std::string temporaryPath(int32_t number) const;

private:
    std::string m_path;
};

}  // namespace javax::microedition::rms
