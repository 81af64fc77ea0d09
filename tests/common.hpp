#pragma once
// What every test file here uses: GoogleTest and the standard library's
// containers, texts, streams, files and numbers; and a few helpers over them.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace sys_test {

// A file's whole contents ("" when it cannot be read).
inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The parts of `text` between separators (a separator at the end leaves an
// empty last part).
inline std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) parts.emplace_back();
        else parts.back().push_back(c);
    }
    return parts;
}

// A file's lines.
inline std::vector<std::string> lines_of(const std::string& path) {
    std::vector<std::string> lines = split(read_file(path), '\n');
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

// A fresh empty folder under the system's temporary folder.
inline std::string make_temp_folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrin-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    return pattern;
}

}  // namespace sys_test
