#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "StoreTestHelpers.h"
#include "TestDirectories.h"
#include "runtime/io/rms/RecordStoreFullException.h"
#include "runtime/io/rms/RecordStoreNotFoundException.h"
#include "runtime/io/rms/StoreFileOps.h"

using namespace javax::microedition::rms;
using namespace storetest;
using Strings = std::vector<std::string>;

namespace {

Strings contentsOf(const StoreContents& onDisk) {
    Strings contents;
    for (const StoredRecord& record : onDisk.records)
        contents.push_back(std::to_string(record.id) + "=" + std::string(record.data.begin(), record.data.end()));
    return contents;
}

int failWithNoSpace(...) {
    errno = ENOSPC;
    return -1;
}

int failWithIoError(...) {
    errno = EIO;
    return -1;
}

ssize_t writeHalfThenNoSpace(int fd, const void* bytes, size_t count) {
    static bool wroteHalf = false;
    wroteHalf = !wroteHalf;
    if (!wroteHalf) return failWithNoSpace();
    return ::write(fd, bytes, count / 2);
}

ssize_t writeNothing(int, const void*, size_t) { return 0; }

// Puts the system calls back however the test ends.
struct FailingStep {
    explicit FailingStep(const std::function<void(StoreFileOps&)>& breakStep) { breakStep(storeFileOps()); }
    ~FailingStep() { storeFileOps() = systemStoreFileOps(); }
};

struct Step {
    const char* name;
    std::function<void(StoreFileOps&)> breakStep;
    bool noRoom;  // reported as a full store rather than a general failure
    bool oldFileStays;  // false when the failure comes after the new file has replaced the old
};

const std::vector<Step> steps = {
    {"create", [](StoreFileOps& ops) { ops.openForWriting = [](const char*) { return failWithNoSpace(); }; }, true, true},
    {"write", [](StoreFileOps& ops) { ops.write = [](int, const void*, size_t) -> ssize_t { return failWithNoSpace(); }; },
     true, true},
    {"short write", [](StoreFileOps& ops) { ops.write = writeHalfThenNoSpace; }, true, true},
    {"write of nothing", [](StoreFileOps& ops) { ops.write = writeNothing; }, true, true},
    {"flush", [](StoreFileOps& ops) { ops.flush = [](int) { return failWithIoError(); }; }, false, true},
    {"close", [](StoreFileOps& ops) { ops.close = [](int fd) { ::close(fd); return failWithIoError(); }; }, false, true},
    {"rename", [](StoreFileOps& ops) { ops.rename = [](const char*, const char*) { return failWithIoError(); }; }, false,
     true},
    {"flush directory", [](StoreFileOps& ops) { ops.flushDirectory = [](const char*) { return failWithIoError(); }; },
     false, false},
};

struct Change {
    const char* name;
    std::function<void(RecordStore&)> apply;
};

const std::vector<Change> changes = {
    {"add", [](RecordStore& s) { s.addRecord(text("three"), 0, 5); }},
    {"set", [](RecordStore& s) { s.setRecord(1, text("ONE"), 0, 3); }},
    {"delete", [](RecordStore& s) { s.deleteRecord(2); }},
};

}  // namespace

using SaveFailures = TestDirectories;

TEST_F(SaveFailures, AFailedStepLeavesTheStoreAsItWas) {
    const Strings before = {"1=one", "2=two"};
    for (const Step& step : steps) {
        for (const Change& change : changes) {
            SCOPED_TRACE(std::string(step.name) + " during " + change.name);
            std::filesystem::remove_all(documents);
            std::filesystem::create_directory(documents);
            auto store = open("progress");
            add(store, "one");
            add(store, "two");
            {
                FailingStep failing(step.breakStep);
                try {
                    change.apply(*store);
                    ADD_FAILURE() << "the change was reported as saved";
                } catch (RecordStoreFullException&) {
                    EXPECT_TRUE(step.noRoom);
                } catch (RecordStoreException& failure) {
                    EXPECT_FALSE(step.noRoom);
                    EXPECT_NE(failure.getMessage(), nullptr);
                }
            }
            EXPECT_EQ(contentsOf(store), before);
            if (step.oldFileStays) {
                EXPECT_FALSE(std::filesystem::exists(documents / "rs_tmp0"));
                EXPECT_EQ(contentsOf(decodeStoreFile(readFile(documents / "rs_0")).value()), before);
            }

            // The next change saves the store as memory holds it, whatever the failure left on disk.
            EXPECT_EQ(add(store, "four"), 3);
            store->closeRecordStore();
            store = open("progress", false);
            EXPECT_EQ(contentsOf(store), (Strings{"1=one", "2=two", "3=four"}));
            store->closeRecordStore();
        }
    }
}

TEST_F(SaveFailures, AStoreThatCannotBeCreatedIsFullAndAbsent) {
    for (const Step& step : steps) {
        if (!step.oldFileStays) continue;
        SCOPED_TRACE(step.name);
        {
            FailingStep failing(step.breakStep);
            EXPECT_THROW(open("fresh"), RecordStoreFullException);
        }
        EXPECT_THROW(open("fresh", false), RecordStoreNotFoundException);
    }
}
