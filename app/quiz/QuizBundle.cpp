#include "app/quiz/QuizBundle.h"

#include <utility>

#include "app/framework/BundleBytes.h"
#include "app/framework/ResourceHandler.h"
#include "app/quiz/QuestionDatabase.h"
#include "app/quiz/TopicsFile.h"
#include "runtime/io/FileSystem.h"
#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/text/String.h"

namespace {

using java::io::FileRead;
using java::io::FileSystem;

// What the check passes, the loading must read: it reads these files whole under the common cap.
static_assert(TopicsFile::MAX_FILE_BYTES <= ResourceHandler::MAX_WHOLE_FILE_BYTES);
static_assert(QuestionDatabase::MAX_FILE_BYTES <= ResourceHandler::MAX_WHOLE_FILE_BYTES);

std::string refusal(const std::string& bundleDirectory, const std::string& file, const std::string& why) {
    return "the bundle '" + bundleDirectory + "' has no readable '" + file + "' (" + why + ")";
}

std::string damage(const std::string& bundleDirectory, const std::string& file, const std::string& why) {
    return "the bundle '" + bundleDirectory + "' has a damaged '" + file + "' (" + why + ")";
}

// A file larger than its kind can be is not the file the bundle was built with.
std::string unusable(const std::string& bundleDirectory, const std::string& file, const FileRead& read) {
    if (read.refusal == FileRead::Refusal::TooLarge) return damage(bundleDirectory, file, read.whyNot);
    return refusal(bundleDirectory, file, read.whyNot);
}

std::string messageOf(java::io::IOException& damaged) {
    const JavaPtr<java::lang::String> message = damaged.getMessage();
    return message ? java::io::toUtf8(message->view()) : "damaged";
}

}  // namespace

std::string firstUnusableQuizFile(const std::string& bundleDirectory) {
    const auto pathOf = [&](const std::string& file) { return bundleDirectory + "/" + file; };
    const FileRead map = FileSystem::readRegularFile(pathOf("resmap"), ResourceHandler::MAX_WHOLE_FILE_BYTES);
    if (!map) return unusable(bundleDirectory, "resmap", map);
    ResourceHandler resources;
    try {
        resources.readResourceMap(BundleBytes::copy(map.bytes));
    } catch (java::io::IOException& damaged) {
        return damage(bundleDirectory, "resmap", messageOf(damaged));
    }
    // A map of zeros decodes to no packs and no resources: the splash would wait for ever.
    if (resources.res_block_mappings->length == 0)
        return damage(bundleDirectory, "resmap", "the resource map holds no resource");
    // Sized only: the check decodes none of them, and a pack may be as large as its blocks reach.
    for (const ResourceHandler::BundleFile& file : resources.bundleFiles()) {
        const FileRead sized = FileSystem::sizeRegularFile(pathOf(file.name), file.mostLength);
        if (!sized) return unusable(bundleDirectory, file.name, sized);
        if (sized.size < file.leastLength)
            return damage(bundleDirectory, file.name,
                          "holds " + std::to_string(sized.size) + " bytes where its blocks need " +
                              std::to_string(file.leastLength));
    }
    const std::string testFile = java::io::toUtf8(QuestionDatabase::testFileName()->view());
    for (const auto& [file, mostLength] :
         {std::pair{std::string("topics.dat"), TopicsFile::MAX_FILE_BYTES}, {testFile, QuestionDatabase::MAX_FILE_BYTES}}) {
        const FileRead read = FileSystem::readRegularFile(pathOf(file), mostLength);
        if (!read) return unusable(bundleDirectory, file, read);
        try {
            if (file == testFile) QuestionDatabase().load(BundleBytes::copy(read.bytes));
            else TopicsFile().read(BundleBytes::copy(read.bytes));
        } catch (java::io::IOException& damaged) {
            return damage(bundleDirectory, file, messageOf(damaged));
        }
    }
    return {};
}
