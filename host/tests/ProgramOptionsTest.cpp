// The command line, and the directories the program uses when it is given none.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "host/ProgramOptions.h"

namespace {

ProgramOptions parse(std::vector<const char*> arguments) { return ProgramOptions::parse(arguments); }

TEST(ProgramOptions, TakesEachOptionWithItsValueSeparateOrAfterAnEqualsSign) {
    const ProgramOptions options = parse({"--headless", "--script", "s.txt", "--capture=out", "--bundle", "/b",
                                          "--documents=/d", "--device", "iPad1,1", "--zoom", "2", "--midlet", "demo"});
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.scriptFile + options.captureDirectory + options.bundleDirectory + options.documentsDirectory,
              "s.txtout/b/d");
    EXPECT_EQ(options.device, "iPad1,1");
    EXPECT_EQ(options.zoom, 2);
    EXPECT_EQ(options.midlet, "demo");
    EXPECT_EQ(options.gpsdHost + " " + options.gpsdPort, "localhost 2947");
    const ProgramOptions ipv6 = parse({"--gpsd", "[::1]:12947"});
    EXPECT_EQ(ipv6.gpsdHost + " " + ipv6.gpsdPort, "::1 12947");
}

TEST(ProgramOptions, ABadOptionIsAnErrorThatNamesIt) {
    struct Case {
        std::vector<const char*> arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--fullscreen"}, "unknown option '--fullscreen'"},
        {{"stray"}, "unknown option 'stray'"},
        {{"--script"}, "--script needs a value"},
        {{"--bundle="}, "--bundle needs a value"},
        {{"--zoom", "0"}, "--zoom takes a whole number from 1 to 8"},
        {{"--zoom", "2x"}, "--zoom takes a whole number"},
        {{"--device", "Nokia"}, "unknown device 'Nokia'; known: iPhone1,1"},
        {{"--headless=yes"}, "--headless takes no value"},
        {{"--gpsd", "localhost"}, "--gpsd takes HOST:PORT"},
        {{"--gpsd", "localhost:70000"}, "--gpsd takes HOST:PORT"},
    };
    for (const Case& c : cases) {
        try {
            parse(c.arguments);
            ADD_FAILURE() << "accepted " << c.arguments.front();
        } catch (const std::invalid_argument& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

TEST(ProgramOptions, TheBundleIsTheExecutablesOwnDirectoryWhateverTheWorkingDirectory) {
    char link[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", link, sizeof link - 1), 0);
    const std::string expected = std::string(link).substr(0, std::string(link).rfind('/'));
    char previous[4096] = {};
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir("/"), 0);
    EXPECT_EQ(executableDirectory(), expected);
    ASSERT_EQ(::chdir(previous), 0);
}

TEST(ProgramOptions, DocumentsDefaultToTheXdgDataDirectoryThenTheHome) {
    EXPECT_EQ(defaultDocumentsDirectory("/data", "/home/u"), "/data/lexivo-quiz");
    EXPECT_EQ(defaultDocumentsDirectory(nullptr, "/home/u"), "/home/u/.local/share/lexivo-quiz");
    EXPECT_EQ(defaultDocumentsDirectory("relative", "/home/u"), "/home/u/.local/share/lexivo-quiz");
    EXPECT_THROW(defaultDocumentsDirectory("", nullptr), std::runtime_error);
    EXPECT_THROW(defaultDocumentsDirectory(nullptr, "home"), std::runtime_error);
}

}  // namespace
