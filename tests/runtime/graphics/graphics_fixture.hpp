#pragma once
// A fresh graphics runtime for each test, with the console captured.

#include "runtime/call/console.hpp"
#include "runtime/call/library.hpp"
#include "runtime/graphics/graphics.hpp"
#include "tests/error_text.hpp"

using D = std::vector<double>;

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::array_library_initialize();
        rt::graphics_library_initialize();
        rt::set_console(&console_);
        rt::set_warning_stream(&warnings_);
    }
    void TearDown() override {
        rt::graphics_library_terminate();
        rt::array_library_terminate();
        rt::set_console(nullptr);
        rt::set_warning_stream(nullptr);
    }

    static std::string text_of(const rt::Value& v) { return v.text(); }
    static double num(const rt::Value& v) { return v.scalar(); }
    // Properties' numbers one after another, or their texts joined by spaces.
    static std::vector<double> getn(const rt::Value& h, std::initializer_list<const char*> names) {
        std::vector<double> all;
        for (const char* name : names) {
            const std::vector<double> some = nums(rt::get(h, S(name)));
            all.insert(all.end(), some.begin(), some.end());
        }
        return all;
    }
    static std::vector<double> getn(const rt::Value& h, const char* name) { return getn(h, {name}); }
    static std::string gets(const rt::Value& h, std::initializer_list<const char*> names) {
        std::string all;
        for (const char* name : names) all += (all.empty() ? "" : " ") + rt::get(h, S(name)).text();
        return all;
    }
    static std::string gets(const rt::Value& h, const char* name) { return gets(h, {name}); }

    std::ostringstream console_;
    std::ostringstream warnings_;
};
