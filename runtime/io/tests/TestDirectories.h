// A fresh bundle and documents directory per test, set as the runtime's directories.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/io/FileSystem.h"

class TestDirectories : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lexivo-io-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        bundle = root / "bundle";
        documents = root / "documents";
        std::filesystem::create_directory(bundle);
        java::io::FileSystem::setDirectories(bundle.string(), documents.string());
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    static void writeFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<unsigned char> readFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path root, bundle, documents;
};
