// The constant table as generated: its counts, the resource ids and their pairing, the transform
// bits, and the manifest agreeing with the header.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "app/framework/HookCanvas.h"

namespace {

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

std::map<std::string, int32_t> group(const char* prefix) {
    std::map<std::string, int32_t> found;
    for (const AppConstantEntry& entry : APP_CONSTANT_TABLE)
        if (startsWith(entry.name, prefix)) found[entry.name] = entry.value;
    return found;
}

TEST(AppConstants, EachGroupHasItsCount) {
    const auto params = group("PARAM_");
    const auto framework = group("PARAM_WL_");
    EXPECT_EQ(framework.size(), 172u);
    EXPECT_EQ(params.size() - framework.size(), 102u);
    EXPECT_EQ(group("RESID_").size(), 313u);
    EXPECT_EQ(group("TEXTID_").size(), 36u);
    EXPECT_EQ(group("DRAWIMAGETRANSFORM_").size(), 33u);
    EXPECT_EQ(group("LOADIMAGETRANSFORM_").size(), 33u);
}

TEST(AppConstants, EveryResourceIdFrom0To312NamesOneResource) {
    std::set<int32_t> ids;
    for (const auto& [name, id] : group("RESID_")) {
        EXPECT_TRUE(ids.insert(id).second) << name << " repeats " << id;
        EXPECT_TRUE(id >= 0 && id <= 312) << name;
    }
}

// A _HIGH id is its _LOW namesake's plus 148, less the unsuffixed resources before the _LOW one.
TEST(AppConstants, HighResourcesFollowTheirLowNamesakes) {
    const auto resources = group("RESID_");
    std::vector<int32_t> unsuffixedImages;
    for (const auto& [name, id] : resources)
        if (name.find("_LOW") == std::string::npos && name.find("_HIGH") == std::string::npos && id >= 1 && id <= 148)
            unsuffixedImages.push_back(id);
    std::sort(unsuffixedImages.begin(), unsuffixedImages.end());
    EXPECT_EQ(unsuffixedImages, (std::vector<int32_t>{43, 51, 59, 68, 76}));
    int pairs = 0;
    for (const auto& [name, low] : resources) {
        const size_t at = name.find("_LOW");
        if (at == std::string::npos) continue;
        const std::string highName = name.substr(0, at) + "_HIGH" + name.substr(at + 4);
        ASSERT_TRUE(resources.count(highName)) << highName;
        int32_t before = 0;
        for (int32_t id : unsuffixedImages) before += id < low;
        EXPECT_EQ(resources.at(highName) - low, 148 - before) << name;
        ++pairs;
    }
    EXPECT_EQ(pairs, 143);
}

TEST(AppConstants, LoadTransformsAreTheBitsOfTheirDrawTransforms) {
    for (const auto& [name, value] : group("DRAWIMAGETRANSFORM_")) {
        const std::string loadName = "LOADIMAGETRANSFORM_" + name.substr(19);
        EXPECT_EQ(group("LOADIMAGETRANSFORM_").at(loadName), 1 << value) << name;
    }
}

TEST(AppConstants, TheManifestListsEveryResourceWithItsKind) {
    std::ifstream manifest(APP_RESOURCE_MANIFEST);
    ASSERT_TRUE(manifest) << APP_RESOURCE_MANIFEST;
    std::map<std::string, int32_t> listed;
    std::map<std::string, int> kinds;
    std::string line;
    while (std::getline(manifest, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        int32_t id;
        std::string name, kind;
        fields >> id >> name >> kind;
        listed[name] = id;
        ++kinds[kind];
    }
    EXPECT_EQ(listed, group("RESID_"));
    EXPECT_EQ(kinds, (std::map<std::string, int>{{"fade-sequence", 5},
                                                 {"font-characters", 4},
                                                 {"font-image", 4},
                                                 {"font-metrics", 4},
                                                 {"image", 270},
                                                 {"int-table", 1},
                                                 {"palette", 4},
                                                 {"sound", 21}}));
}

}  // namespace
