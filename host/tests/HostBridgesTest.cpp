// The bridge functions that answer from the environment, the device profile and the file system.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/HostBridge.h"

namespace {

TEST(Utf8EncodeString, EncodesEachUnitInOneTwoOrThreeBytesAndSurrogateHalvesApart) {
    struct Case {
        std::vector<uint16_t> units;
        std::string bytes;
    };
    const Case cases[] = {
        {{}, ""},
        {{'A', 'z', 0x7F}, "Az\x7F"},
        {{0xE9}, "\xC3\xA9"},
        {{0x7FF}, "\xDF\xBF"},
        {{0x800}, "\xE0\xA0\x80"},
        {{0x20AC}, "\xE2\x82\xAC"},
        {{0xD83D, 0xDE00}, "\xED\xA0\xBD\xED\xB8\x80"},
        {{0xFFFF}, "\xEF\xBF\xBF"},
    };
    for (const Case& c : cases) {
        char* encoded = utf8EncodeString(c.units.data(), static_cast<int32_t>(c.units.size()));
        ASSERT_NE(encoded, nullptr);
        EXPECT_EQ(std::string(encoded), c.bytes);
        std::free(encoded);
    }
    for (const int32_t length : {0, -1}) {
        char* empty = utf8EncodeString(nullptr, length);
        ASSERT_NE(empty, nullptr);
        EXPECT_STREQ(empty, "");
        std::free(empty);
    }
}

TEST(GetLocale, ComesFromTheFirstLocaleVariableThatIsSet) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        const char* locale;
    };
    const Case cases[] = {
        {nullptr, nullptr, "de_DE.UTF-8", "de_DE"},
        {nullptr, "fr_FR@euro", "de_DE.UTF-8", "fr_FR"},
        {"pt_BR.ISO-8859-1", "fr_FR", "de_DE", "pt_BR"},
        {"", "", "en_GB", "en_GB"},
        {nullptr, nullptr, "ja", "ja"},
        {"C", nullptr, "de_DE", "en_US"},
        {nullptr, nullptr, "POSIX", "en_US"},
        {nullptr, nullptr, "../../etc", "en_US"},
        {nullptr, nullptr, nullptr, "en_US"},
    };
    for (const Case& c : cases) {
        const auto set = [](const char* name, const char* value) {
            if (value) ::setenv(name, value, 1);
            else ::unsetenv(name);
        };
        set("LC_ALL", c.lcAll);
        set("LC_MESSAGES", c.lcMessages);
        set("LANG", c.lang);
        const char* first = getLocale();
        EXPECT_STREQ(first, c.locale) << (c.lang ? c.lang : "(no LANG)");
        // The platform owns the text: an earlier answer stays valid.
        EXPECT_EQ(getLocale(), first);
    }
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    ::unsetenv("LANG");
}

std::vector<std::string> listAll(const char* path) {
    std::vector<std::string> names;
    directoryFileListStart(path);
    while (const char* name = directoryFileListNext()) names.emplace_back(name);
    return names;
}

TEST(DirectoryListing, ListsEveryEntryDeeplyRelativeToTheDirectoryThenNullForEver) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("listing-test-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "b" / "inner");
    std::filesystem::create_directories(root / "a");
    for (const char* file : {"z.txt", "b/one", "b/inner/two", "rs_1"}) std::ofstream(root / file) << "x";
    std::filesystem::create_directory_symlink(root, root / "loop");

    EXPECT_EQ(listAll(root.c_str()),
              (std::vector<std::string>{"a", "b", "b/inner", "b/inner/two", "b/one", "loop", "rs_1", "z.txt"}));
    EXPECT_EQ(directoryFileListNext(), nullptr);
    EXPECT_EQ(directoryFileListNext(), nullptr);

    // Texts stay valid while the listing runs.
    directoryFileListStart(root.c_str());
    const char* first = directoryFileListNext();
    const char* second = directoryFileListNext();
    EXPECT_STREQ(first, "a");
    EXPECT_STREQ(second, "b");

    // A new listing replaces the one under way; a missing directory lists nothing.
    EXPECT_TRUE(listAll((root / "missing").c_str()).empty());
    EXPECT_TRUE(listAll(nullptr).empty());
    std::filesystem::remove_all(root);
}

}  // namespace
