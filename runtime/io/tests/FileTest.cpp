#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestDirectories.h"
#include "runtime/io/File.h"
#include "runtime/io/FileInputStream.h"
#include "runtime/io/FileSystem.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Class.h"
#include "runtime/text/String.h"

using namespace java::io;
using java::lang::jnew;

namespace {

JavaPtr<String> name(const char* text) { return jnew<String>(text); }

std::vector<int> readAll(java::io::InputStream& in) {
    std::vector<int> values;
    for (int c = in.read(); c >= 0; c = in.read()) values.push_back(c);
    return values;
}

}  // namespace

using FileNames = TestDirectories;

TEST_F(FileNames, LeadingSlashNamesTheBundleAndPngBecomesUnderscore) {
    struct Case {
        const char* name;
        std::filesystem::path expected;
    };
    const std::vector<Case> cases = {
        {"/resmap", bundle / "resmap"},
        {"/Default.png", bundle / "Default_png"},
        {"/icons/a.png", bundle / "icons/a_png"},
        {"ZARLQ0", documents / "ZARLQ0"},
        {"shot.png", documents / "shot_png"},
        {"/a.png.bak", bundle / "a.png.bak"},
        {"/b.PNG", bundle / "b.PNG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(jnew<File>(name(c.name))->nativePath(), c.expected.string());
    }
}

TEST_F(FileNames, LengthIsTheSizeOrBelowOneWhenMissing) {
    writeFile(bundle / "five", {1, 2, 3, 4, 5});
    writeFile(documents / "pic_png", std::vector<unsigned char>(300));
    EXPECT_EQ(jnew<File>(name("/five"))->length(), 5);
    EXPECT_EQ(jnew<File>(name("pic.png"))->length(), 300);
    EXPECT_LE(jnew<File>(name("/missing"))->length(), 0);
    std::filesystem::create_directory(bundle / "folder");
    EXPECT_LE(jnew<File>(name("/folder"))->length(), 0);
}

TEST_F(FileNames, FileInputStreamReadsTheWholeFileAndCountsWhatIsLeft) {
    writeFile(bundle / "data", {9, 8, 7, 200});
    auto in = jnew<FileInputStream>(jnew<File>(name("/data")));
    ASSERT_TRUE(in->isOpened());
    EXPECT_EQ(in->available(), 4);
    EXPECT_EQ(in->read(), 9);
    EXPECT_EQ(in->available(), 3);
    auto rest = jnew<JArray<signed char>>(8);
    EXPECT_EQ(in->read(rest, 0, 8), 3);
    EXPECT_EQ(static_cast<unsigned char>(rest->data[2]), 200);
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(rest), -1);
}

TEST_F(FileNames, FileInputStreamOverNothingReadableNeverThrows) {
    std::filesystem::create_directory(bundle / "folder");
    // A pipe with no writer, which opening would wait on.
    ASSERT_EQ(::mkfifo((bundle / "pipe").c_str(), 0644), 0);
    for (const char* missing : {"/missing", "/folder", "/pipe", "nothing"}) {
        SCOPED_TRACE(missing);
        auto in = jnew<FileInputStream>(jnew<File>(name(missing)));
        EXPECT_FALSE(in->isOpened());
        EXPECT_EQ(in->available(), 0);
        EXPECT_EQ(in->read(), -1);
    }
}

TEST_F(FileNames, ResourcesComeFromTheBundleOrAreNull) {
    writeFile(bundle / "wlbmpfnt", {1, 2});
    writeFile(bundle / "logo_png", {3});
    auto type = jnew<File>(name("/x"))->getClass();
    EXPECT_EQ(type->getName()->view(), u"java.io.File");

    for (const auto& [resource, bytes] : {std::pair{"/wlbmpfnt", std::vector<int>{1, 2}},
                                          {"wlbmpfnt", {1, 2}}, {"/logo.png", {3}}}) {
        auto in = type->getResourceAsStream(name(resource));
        ASSERT_NE(in, nullptr) << resource;
        EXPECT_EQ(readAll(*in), bytes) << resource;
    }
    for (const char* absent : {"", "/", "/missing", "/logo_png/x"})
        EXPECT_EQ(type->getResourceAsStream(name(absent)), nullptr) << absent;
}

TEST_F(FileNames, SetDirectoriesCreatesTheDocumentsDirectory) {
    const auto nested = root / "new" / "deeper" / "docs";
    FileSystem::setDirectories(bundle.string() + "/", nested.string() + "//");
    EXPECT_TRUE(std::filesystem::is_directory(nested));
    EXPECT_EQ(FileSystem::bundleDirectory(), bundle.string());
    EXPECT_EQ(FileSystem::documentsDirectory(), nested.string());
}

TEST_F(FileNames, UnusableDirectoriesAreRefusedAndTheOldOnesKept) {
    writeFile(root / "plain", {1});
    struct Case {
        std::string bundle, documents;
    };
    const std::vector<Case> cases = {
        {"", documents.string()},
        {bundle.string(), ""},
        {(root / "no-bundle").string(), documents.string()},
        {(root / "plain").string(), documents.string()},
        {bundle.string(), (root / "plain").string()},
        {bundle.string(), (root / "plain" / "below").string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bundle + " | " + c.documents);
        try {
            FileSystem::setDirectories(c.bundle, c.documents);
            ADD_FAILURE() << "accepted";
        } catch (IOException& refused) {
            ASSERT_NE(refused.getMessage(), nullptr);
            EXPECT_GT(refused.getMessage()->length(), 0);
        }
        EXPECT_EQ(FileSystem::bundleDirectory(), bundle.string());
        EXPECT_EQ(FileSystem::documentsDirectory(), documents.string());
    }
}
