#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TestDirectories.h"
#include "runtime/io/ByteArrayLength.h"
#include "runtime/io/File.h"
#include "runtime/io/FileInputStream.h"
#include "runtime/io/FileSystem.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Class.h"
#include "runtime/text/String.h"

using namespace java::io;
using java::lang::jnew;

namespace {

using Path = std::filesystem::path;

JavaPtr<String> name(const char* text) { return jnew<String>(text); }

// A file that takes no room on the disk: more than 4 GiB, so that its size wraps to a small int32.
constexpr uintmax_t HUGE_FILE_BYTES = (uintmax_t{1} << 32) + 5;

void makeHuge(const Path& path) {
    std::ofstream{path};
    std::filesystem::resize_file(path, HUGE_FILE_BYTES);
}

std::string textOf(const Path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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
    // Larger than any array: available() cannot count it.
    makeHuge(bundle / "huge");
    for (const char* missing : {"/missing", "/folder", "/pipe", "nothing", "/huge"}) {
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

TEST_F(FileNames, WholeFilesAreSizedBeforeAByteIsReadAndOnlyRegularOnesAreOpened) {
    using Refusal = FileRead::Refusal;
    writeFile(bundle / "small", {1, 2, 3});
    writeFile(bundle / "at-cap", std::vector<unsigned char>(100, 7));
    writeFile(bundle / "past-cap", std::vector<unsigned char>(101, 7));
    // Reading it would take minutes and more memory than the test has.
    makeHuge(bundle / "huge");
    std::filesystem::create_directory(bundle / "folder");
    ASSERT_EQ(::mkfifo((bundle / "pipe").c_str(), 0644), 0);
    std::filesystem::create_symlink(bundle / "small", bundle / "link");
    struct Case {
        const char* name;
        int64_t cap;
        Refusal refusal;
        int64_t size;
        std::vector<uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"small", 100, Refusal::None, 3, {1, 2, 3}},
        {"link", 100, Refusal::None, 3, {1, 2, 3}},
        {"at-cap", 100, Refusal::None, 100, std::vector<uint8_t>(100, 7)},
        {"past-cap", 100, Refusal::TooLarge, 101, {}},
        {"huge", INT32_MAX, Refusal::TooLarge, static_cast<int64_t>(HUGE_FILE_BYTES), {}},
        {"pipe", 100, Refusal::NotRegular, -1, {}},
        {"folder", 100, Refusal::NotRegular, -1, {}},
        {"missing", 100, Refusal::CannotOpen, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (bundle / c.name).string();
        const FileRead read = FileSystem::readRegularFile(path, c.cap);
        const FileRead sized = FileSystem::sizeRegularFile(path, c.cap);
        EXPECT_EQ(read.refusal, c.refusal);
        EXPECT_EQ(sized.refusal, c.refusal);
        EXPECT_EQ(read.size, c.size);
        EXPECT_EQ(sized.size, c.size);
        EXPECT_EQ(read.bytes, c.bytes);
        EXPECT_TRUE(sized.bytes.empty());
        EXPECT_EQ(read.whyNot.empty(), c.refusal == Refusal::None) << read.whyNot;
    }
}

TEST_F(FileNames, AnOwnFileReplacesWhateverStoodAtItsNameNeverFollowingNorWaitingOnIt) {
    writeFile(root / "outside", {'k', 'e', 'p', 't'});
    ASSERT_EQ(::mkfifo((root / "pipe").c_str(), 0644), 0);
    const Path own = documents / "own";
    struct Case {
        const char* what;
        void (*place)(const Path& own, const Path& root);
        int error;  // 0 when the file is created
    };
    const std::vector<Case> cases = {
        {"nothing", [](const Path&, const Path&) {}, 0},
        {"a file", [](const Path& own, const Path&) { writeFile(own, {1, 2, 3, 4, 5}); }, 0},
        {"a pipe", [](const Path& own, const Path&) { ::mkfifo(own.c_str(), 0644); }, 0},
        {"a link to a pipe", [](const Path& own, const Path& root) { std::filesystem::create_symlink(root / "pipe", own); }, 0},
        {"a link to a file outside",
         [](const Path& own, const Path& root) { std::filesystem::create_symlink(root / "outside", own); }, 0},
        {"an empty directory", [](const Path& own, const Path&) { std::filesystem::create_directory(own); }, 0},
        {"a directory with a file",
         [](const Path& own, const Path&) {
             std::filesystem::create_directory(own);
             writeFile(own / "inside", {1});
         },
         ENOTEMPTY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(own);
        c.place(own, root);
        // A pipe is held open for reading, so that an open of it for writing would not wait but write into it.
        const bool pipe = std::filesystem::status(own).type() == std::filesystem::file_type::fifo;
        const int reader = pipe ? ::open(own.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        errno = 0;
        const int fd = FileSystem::createOwnFile(own.string());
        const int error = errno;
        if (fd >= 0) {
            EXPECT_EQ(::write(fd, "new", 3), 3);
            ::close(fd);
        }
        if (reader >= 0) ::close(reader);
        if (c.error != 0) {
            EXPECT_EQ(fd, -1);
            EXPECT_EQ(error, c.error);
            EXPECT_TRUE(std::filesystem::exists(own / "inside"));
            continue;
        }
        EXPECT_GE(fd, 0) << std::strerror(error);
        // Read only when regular: reading a pipe would wait for a writer.
        const bool regular = std::filesystem::is_regular_file(std::filesystem::symlink_status(own));
        EXPECT_TRUE(regular);
        if (regular) EXPECT_EQ(textOf(own), "new");
    }
    EXPECT_EQ(textOf(root / "outside"), "kept");
    EXPECT_EQ(std::filesystem::status(root / "pipe").type(), std::filesystem::file_type::fifo);
}

TEST(ByteArrayLength, CountsPastTheLargestArrayAreRefusedNotWrapped) {
    for (const uint64_t fits : {uint64_t{0}, uint64_t{5}, uint64_t{INT32_MAX}})
        EXPECT_EQ(byteArrayLength(fits), static_cast<int32_t>(fits)) << fits;
    for (const uint64_t past : {uint64_t{INT32_MAX} + 1, (uint64_t{1} << 32) + 5, UINT64_MAX})
        EXPECT_THROW(byteArrayLength(past), IOException) << past;
}
