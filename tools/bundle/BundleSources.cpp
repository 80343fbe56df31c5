#include "tools/bundle/BundleSources.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "tools/fonts/Utf8Text.h"

namespace bundle {

namespace {

std::string where(const std::filesystem::path& file, int line) { return file.string() + ":" + std::to_string(line) + ": "; }

void addCharacters(std::set<char32_t>& into, std::string_view utf8) {
    for (char32_t c : fonts::decodeUtf8(utf8)) into.insert(c);
}

// Reads the question database layout: u16 count, then per record a u16-length question and four
// u8-length texts.
void addDatabase(std::set<char32_t>& into, const std::vector<uint8_t>& bytes, const std::string& name) {
    size_t at = 0;
    auto need = [&](size_t n) {
        if (at + n > bytes.size()) throw BundleError(name + ": ends inside a record");
    };
    need(2);
    const size_t count = static_cast<size_t>(bytes[0] << 8 | bytes[1]);
    at = 2;
    for (size_t r = 0; r < count; ++r)
        for (int field = 0; field < 5; ++field) {
            size_t length;
            if (field == 0) {
                need(2);
                length = static_cast<size_t>(bytes[at] << 8 | bytes[at + 1]);
                at += 2;
            } else {
                need(1);
                length = bytes[at++];
            }
            need(length);
            addCharacters(into, std::string_view(reinterpret_cast<const char*>(bytes.data() + at), length));
            at += length;
        }
}

// topics.dat: data-stream strings and big-endian ints, read as name, count, count names.
void addTopics(std::set<char32_t>& into, const std::vector<uint8_t>& bytes) {
    size_t at = 0;
    auto text = [&]() {
        if (at + 2 > bytes.size()) throw BundleError("topics.dat: ends inside a name");
        const size_t length = static_cast<size_t>(bytes[at] << 8 | bytes[at + 1]);
        at += 2;
        if (at + length > bytes.size()) throw BundleError("topics.dat: ends inside a name");
        addCharacters(into, std::string_view(reinterpret_cast<const char*>(bytes.data() + at), length));
        at += length;
    };
    while (at < bytes.size()) {
        text();
        if (at + 4 > bytes.size()) throw BundleError("topics.dat: ends inside a count");
        const uint32_t count = static_cast<uint32_t>(bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3]);
        at += 4;
        if (count > bytes.size()) throw BundleError("topics.dat: a category counts more names than the file holds");
        for (uint32_t k = 0; k < count; ++k) text();
    }
}

}  // namespace

std::vector<uint8_t> readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw BundleError("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<ManifestEntry> readManifest(const std::filesystem::path& file) {
    const std::vector<uint8_t> bytes = readFile(file);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<ManifestEntry> entries;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        ManifestEntry entry;
        if (!(fields >> entry.id >> entry.name >> entry.kind >> entry.source))
            throw BundleError(where(file, number) + "needs an id, a name, a kind and a source");
        if (entry.id != static_cast<int32_t>(entries.size()))
            throw BundleError(where(file, number) + entry.name + " is not numbered " + std::to_string(entries.size()));
        if (entry.source == "-") throw BundleError(where(file, number) + entry.name + " has no source asset");
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<LanguageString> readLanguageStrings(const std::filesystem::path& file) {
    const std::vector<uint8_t> bytes = readFile(file);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<LanguageString> strings;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) throw BundleError(where(file, number) + "needs a name, a tab and the text");
        LanguageString entry{line.substr(0, tab), {}, {}};
        for (char32_t c : fonts::decodeUtf8(std::string_view(line).substr(tab + 1))) {
            if (c == U'~') {
                if (entry.text.empty()) throw BundleError(where(file, number) + "a break mark starts the text");
                entry.guides.push_back({static_cast<int32_t>(entry.text.size()), 0});
                continue;
            }
            if (c > 0xFFFF) throw BundleError(where(file, number) + "a character beyond 16 bits");
            entry.text += static_cast<char16_t>(c);
        }
        strings.push_back(std::move(entry));
    }
    return strings;
}

std::map<std::string, std::vector<int32_t>> readNumberTables(const std::filesystem::path& file) {
    const std::vector<uint8_t> bytes = readFile(file);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::map<std::string, std::vector<int32_t>> tables;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        const size_t colon = line.find(':');
        if (colon == std::string::npos) throw BundleError(where(file, number) + "needs \"name: numbers\"");
        std::string name = line.substr(0, colon);
        name.erase(std::remove_if(name.begin(), name.end(), ::isspace), name.end());
        std::istringstream values(line.substr(colon + 1));
        std::vector<int32_t>& table = tables[name];
        std::string value;
        while (values >> value) {
            size_t used = 0;
            long parsed = 0;
            try {
                parsed = std::stol(value, &used, 0);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != value.size()) throw BundleError(where(file, number) + "\"" + value + "\" is not a number");
            table.push_back(static_cast<int32_t>(parsed));
        }
        if (table.empty()) throw BundleError(where(file, number) + name + " holds no numbers");
    }
    return tables;
}

std::u32string questionCharacters(const std::filesystem::path& directory) {
    std::set<char32_t> found;
    addTopics(found, readFile(directory / "topics.dat"));
    addDatabase(found, readFile(directory / "shuffle_db.dat"), "shuffle_db.dat");
    std::vector<std::filesystem::path> databases;
    for (const auto& item : std::filesystem::directory_iterator(directory)) {
        const std::string name = item.path().filename().string();
        if (name.rfind("cdb", 0) == 0 && item.path().extension() == ".dat") databases.push_back(item.path());
    }
    if (databases.empty()) throw BundleError("no question databases (cdb*.dat) in " + directory.string());
    for (const auto& path : databases) addDatabase(found, readFile(path), path.filename().string());
    return {found.begin(), found.end()};
}

}  // namespace bundle
