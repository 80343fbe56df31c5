// Kills a process that is changing a store at random moments and checks that the store then
// holds exactly what the returned changes made, or that plus the change that was under way.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "ChildReports.h"
#include "TestDirectories.h"
#include "runtime/io/rms/RecordEnumeration.h"
#include "runtime/io/rms/RecordStore.h"
#include "runtime/io/rms/RecordStoreNotFoundException.h"
#include "runtime/text/String.h"

using namespace javax::microedition::rms;
using java::lang::jnew;
using Bytes = JavaPtr<JArray<signed char>>;

namespace {

constexpr int killCount = 250;
const char* const storeName = "crash";

// A record is known by its length and the seed of its bytes.
struct Content {
    int32_t length = 0;
    uint32_t seed = 0;
    bool operator==(const Content&) const = default;
};
using Model = std::map<int32_t, Content>;

Bytes contentBytes(const Content& content) {
    auto bytes = jnew<JArray<signed char>>(content.length);
    for (int32_t i = 0; i < content.length; ++i) bytes->data[i] = static_cast<signed char>(content.seed * 31 + i * 7);
    return bytes;
}

bool holds(const Bytes& bytes, const Content& content) {
    if (content.length == 0) return bytes == nullptr;
    return bytes && bytes->length == content.length &&
           std::equal(bytes->data, bytes->data + bytes->length, contentBytes(content)->data);
}

void report(int fd, const std::string& line) {
    const std::string text = line + "\n";
    if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) _exit(4);
}

// The child: changes the store for ever, saying "begin" before and "done" after each change.
[[noreturn]] void changeForEver(int reportFd, uint32_t seed) {
    try {
        std::mt19937 random(seed);
        auto store = RecordStore::openRecordStore(jnew<String>(storeName), true);
        std::vector<int32_t> ids;
        for (auto all = store->enumerateRecords(nullptr, nullptr, false); all->hasNextElement();)
            ids.push_back(all->nextRecordId());
        for (;;) {
            const uint32_t roll = random();
            const Content content{static_cast<int32_t>(roll % 8 == 0 ? random() % 60000 : random() % 3000),
                                  static_cast<uint32_t>(random())};
            const std::string what = std::to_string(content.length) + " " + std::to_string(content.seed);
            if (ids.empty() || (ids.size() < 12 && roll % 3 != 0)) {
                report(reportFd, "begin add 0 " + what);
                const int32_t id = store->addRecord(contentBytes(content), 0, content.length);
                ids.push_back(id);
                report(reportFd, "done add " + std::to_string(id) + " " + what);
            } else if (roll % 2 == 0) {
                const int32_t id = ids[random() % ids.size()];
                report(reportFd, "begin set " + std::to_string(id) + " " + what);
                store->setRecord(id, contentBytes(content), 0, content.length);
                report(reportFd, "done set " + std::to_string(id) + " " + what);
            } else {
                const size_t at = random() % ids.size();
                const int32_t id = ids[at];
                report(reportFd, "begin delete " + std::to_string(id) + " 0 0");
                store->deleteRecord(id);
                ids.erase(ids.begin() + static_cast<long>(at));
                report(reportFd, "done delete " + std::to_string(id) + " 0 0");
            }
        }
    } catch (...) {
        _exit(3);
    }
}

struct Operation {
    std::string phase, kind;
    int32_t id = 0;
    Content content;
};

Operation parse(const std::string& line) {
    Operation op;
    std::istringstream in(line);
    in >> op.phase >> op.kind >> op.id >> op.content.length >> op.content.seed;
    return op;
}

std::string describe(const Model& model) {
    std::string text;
    for (const auto& [id, content] : model)
        text += std::to_string(id) + ":" + std::to_string(content.length) + "/" + std::to_string(content.seed) + " ";
    return text;
}

}  // namespace

using CrashedSaves = TestDirectories;

TEST_F(CrashedSaves, StoreHoldsTheLastReturnedChangeOrTheOneUnderWayAfterEveryKill) {
    std::mt19937 random(20240611);
    Model model;
    int32_t highestId = 0;
    int changesSeen = 0, pendingKept = 0;
    const auto started = std::chrono::steady_clock::now();

    for (int kill = 0; kill < killCount; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            changeForEver(pipeEnds[1], static_cast<uint32_t>(kill));
        }
        ::close(pipeEnds[1]);
        // The random moment counts from the child's first finished change, so that a loaded
        // machine, slow to start the child, still kills it between changes.
        std::string lines = readPipeUntil(pipeEnds[0], "done ");
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 25000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        lines += readPipe(pipeEnds[0]);
        ::close(pipeEnds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself with status " << status;

        std::optional<Operation> pending;
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line);) {
            const Operation op = parse(line);
            if (op.phase == "begin") {
                pending = op;
                continue;
            }
            pending.reset();
            ++changesSeen;
            if (op.kind == "add") {
                ASSERT_GT(op.id, highestId) << "a record id was used twice";
                highestId = op.id;
                model[op.id] = op.content;
            } else if (op.kind == "set") {
                model[op.id] = op.content;
            } else {
                model.erase(op.id);
            }
        }

        JavaPtr<RecordStore> store;
        try {
            store = RecordStore::openRecordStore(jnew<String>(storeName), false);
        } catch (RecordStoreNotFoundException&) {
            ASSERT_TRUE(model.empty()) << "the store vanished";
            continue;
        } catch (RecordStoreException& refused) {
            FAIL() << "the store cannot be opened: " << refused.toString()->val();
        }
        Model onDisk;
        std::map<int32_t, Bytes> bytesOnDisk;
        for (auto all = store->enumerateRecords(nullptr, nullptr, false); all->hasNextElement();) {
            const int32_t id = all->nextRecordId();
            bytesOnDisk[id] = store->getRecord(id);
        }
        store->closeRecordStore();

        const auto matches = [&](const Model& expected) {
            if (expected.size() != bytesOnDisk.size()) return false;
            for (const auto& [id, content] : expected) {
                const auto found = bytesOnDisk.find(id);
                if (found == bytesOnDisk.end() || !holds(found->second, content)) return false;
            }
            return true;
        };
        if (matches(model)) continue;

        ASSERT_TRUE(pending) << "disk differs from the returned changes: " << describe(model);
        Model withPending = model;
        if (pending->kind == "add") {
            // The id of an add under way is not known; it must be the one new id, above all before it.
            for (const auto& [id, bytes] : bytesOnDisk)
                if (!model.contains(id)) withPending[id] = pending->content;
            ASSERT_EQ(withPending.size(), model.size() + 1) << describe(model);
            ASSERT_GT(withPending.rbegin()->first, highestId) << "a record id was used twice";
            highestId = withPending.rbegin()->first;
        } else if (pending->kind == "set") {
            withPending[pending->id] = pending->content;
        } else {
            withPending.erase(pending->id);
        }
        ASSERT_TRUE(matches(withPending)) << "disk holds neither state; returned: " << describe(model);
        model = withPending;
        ++pendingKept;
    }

    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ crash    ] %d kills, %d returned changes, %d changes under way kept, %.1f s\n", killCount,
                changesSeen, pendingKept, seconds);
    EXPECT_GT(changesSeen, killCount);  // the kills fell between changes, not only before the first
}
