// Bytes for the quiz's readers: from a writer's output or from a generated file.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/lang/JArray.h"
#include "runtime/lang/JavaPtr.h"

inline JavaPtr<JArray<signed char>> javaBytes(const std::vector<uint8_t>& bytes) {
    auto array = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) array->data[i] = static_cast<signed char>(bytes[i]);
    return array;
}

// Empty when the file does not exist.
inline std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}
