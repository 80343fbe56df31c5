#include "runtime/io/rms/StoreDirectory.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "runtime/io/FileSystem.h"
#include "runtime/io/Utf8.h"
#include "runtime/io/rms/RecordStoreException.h"
#include "runtime/io/rms/RecordStoreFullException.h"
#include "runtime/io/rms/StoreFileOps.h"

namespace javax::microedition::rms {

namespace {

constexpr std::string_view storePrefix = "rs_";
constexpr std::string_view temporaryPrefix = "rs_tmp";

// "rs_" followed by the canonical decimal form of a number; everything else is not a store file.
std::optional<int32_t> storeNumberOf(std::string_view fileName) {
    if (!fileName.starts_with(storePrefix)) return std::nullopt;
    const std::string_view digits = fileName.substr(storePrefix.size());
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
    int32_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 0) return std::nullopt;
    return number;
}

[[noreturn]] void failSave(const std::string& step, const std::string& path, int error) {
    const std::string message = "cannot save record store: " + step + " '" + path + "': " + std::strerror(error);
    const bool noRoom = error == ENOSPC || error == EDQUOT || error == EFBIG;
    if (noRoom) throw RecordStoreFullException(java::io::stringFromUtf8(message));
    throw RecordStoreException(java::io::stringFromUtf8(message));
}

}  // namespace

std::string StoreDirectory::storePath(int32_t number) const {
    return m_path + "/" + std::string(storePrefix) + std::to_string(number);
}

std::string StoreDirectory::temporaryPath(int32_t number) const {
    return m_path + "/" + std::string(temporaryPrefix) + std::to_string(number);
}

StoreLookup StoreDirectory::find(std::u16string_view name) const {
    DIR* directory = ::opendir(m_path.c_str());
    if (!directory) {
        const std::string message = "cannot list documents directory '" + m_path + "': " + std::strerror(errno);
        throw RecordStoreFullException(java::io::stringFromUtf8(message));
    }
    StoreLookup lookup;
    while (const dirent* entry = ::readdir(directory)) {
        const std::optional<int32_t> number = storeNumberOf(entry->d_name);
        if (!number) continue;
        lookup.nextFreeNumber = std::max<int64_t>(lookup.nextFreeNumber, int64_t{*number} + 1);
        // With two files of one name (copied by hand), the lower number wins, whatever the listing order.
        if (lookup.number && *lookup.number < *number) continue;
        const java::io::FileRead file = java::io::FileSystem::readRegularFile(storePath(*number), maxStoreFileBytes);
        // Only a regular file holds a store: a pipe or a directory at the name is left as it is,
        // and a new store takes a number above it.
        if (file.refusal == java::io::FileRead::Refusal::NotRegular) continue;
        std::string why = file.whyNot;
        std::optional<StoreContents> contents;
        if (file) contents = decodeStoreFile(file.bytes, &why);
        if (!contents) {
            if (lookup.damagedFile.empty()) {
                lookup.damagedFile = entry->d_name;
                lookup.damage = why;
            }
            continue;
        }
        if (contents->name != name) continue;
        lookup.number = number;
        lookup.contents = std::move(contents);
    }
    ::closedir(directory);
    return lookup;
}

void StoreDirectory::save(int32_t number, std::span<const unsigned char> bytes) const {
    const StoreFileOps& ops = storeFileOps();
    const std::string temporary = temporaryPath(number);
    const std::string target = storePath(number);

    const int fd = ops.openForWriting(temporary.c_str());
    if (fd < 0) failSave("create", temporary, errno);
    const auto abandon = [&](const char* step, int error, bool closeFirst) {
        if (closeFirst) ops.close(fd);
        ::unlink(temporary.c_str());
        failSave(step, temporary, error);
    };
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ops.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) abandon("write", n < 0 ? errno : ENOSPC, true);
        done += static_cast<size_t>(n);
    }
    if (ops.flush(fd) != 0) abandon("flush", errno, true);
    if (ops.close(fd) != 0) abandon("close", errno, false);
    if (ops.rename(temporary.c_str(), target.c_str()) != 0) abandon("rename", errno, false);
    if (ops.flushDirectory(m_path.c_str()) != 0) failSave("flush directory", m_path, errno);
}

void StoreDirectory::remove(int32_t number) const {
    const std::string target = storePath(number);
    if (::unlink(target.c_str()) != 0) {
        const std::string message = "cannot delete record store '" + target + "': " + std::strerror(errno);
        throw RecordStoreException(java::io::stringFromUtf8(message));
    }
    storeFileOps().flushDirectory(m_path.c_str());
}

}  // namespace javax::microedition::rms
