// Number text under a comma-decimal C locale, as a toolkit sets it when it
// starts: what the runtime writes and reads must not change.
//
// The locale is built for this test with localedef into a folder of its own
// (LOCPATH), so no system locale has to be installed; the test is skipped
// only when even that cannot be had.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/array/display.hpp"
#include "runtime/array/text.hpp"
#include "runtime/graphics/expression.hpp"
#include "runtime/graphics/layout_loader.hpp"
#include "tests/runtime/graphics/graphics_fixture.hpp"

namespace {

namespace fs = std::filesystem;

// Makes a comma-decimal locale current for LC_NUMERIC; false when none can be had.
bool use_comma_locale(const fs::path& dir) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') return true;
    fs::create_directories(dir);
    const std::string made = (dir / "de_DE.UTF-8").string();
    const std::string command = "localedef -i de_DE -f UTF-8 '" + made + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && !fs::exists(made)) return false;
    ::setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && *std::localeconv()->decimal_point == ',';
}

class NumberLocaleTest : public GraphicsTest {
protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("tavrin-locale-" + std::to_string(::getpid()));
        available_ = use_comma_locale(dir_ / "locales");
    }
    static void TearDownTestSuite() {
        std::setlocale(LC_NUMERIC, "C");
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    void SetUp() override {
        if (!available_) GTEST_SKIP() << "no comma-decimal locale could be made (localedef, de_DE sources)";
        GraphicsTest::SetUp();
        // The premise: the C library itself now writes a comma.
        char buf[16];
        std::snprintf(buf, sizeof buf, "%g", 0.25);
        ASSERT_STREQ(buf, "0,25");
    }

    static inline fs::path dir_;
    static inline bool available_ = false;
};

TEST_F(NumberLocaleTest, NumbersAreWrittenAndReadWithADecimalPoint) {
    using rt::Value;
    // Written: num2str, the display of values, a matrix's columns.
    EXPECT_EQ(rt::num2str(0.25), "0.25");
    EXPECT_EQ(rt::num2str(-3.14159265), "-3.1416");
    EXPECT_EQ(rt::num2str(1.5e-7), "1.5e-07");
    EXPECT_EQ(rt::num2str(123456.789), "123456.789");
    EXPECT_EQ(rt::display_line("ALPHA", Value(0.3)), "ALPHA = 0.3");
    Value row = rt::make_numeric(rt::ClassId::Double, 1, 2);
    row.mutable_data()[0] = 0.5;
    row.mutable_data()[1] = 2.25;
    EXPECT_EQ(rt::num2str(row).text(), "0.5  2.25");

    // Read: plain text, the expression language, a layout file.
    EXPECT_EQ(rt::parse_number("0.25"), 0.25);
    EXPECT_EQ(rt::parse_number("+1e-3"), 1e-3);
    EXPECT_FALSE(rt::parse_number("0,25"));
    rt::EvalContext ctx;
    rt::evaluate("x = 0.25", ctx, false);
    ASSERT_NE(ctx.find("x"), nullptr);
    EXPECT_EQ((*ctx.find("x"))[0], 0.25);

    const fs::path file = dir_ / "comma.fig";
    std::ofstream(file) << R"({"type": "figure", "children": [{"type": "uicontrol", "Style": "slider",
                                "Tag": "s", "Min": 0, "Max": 1, "Value": 0.25}]})";
    const double f = rt::load_layout(file.string());
    const Value slider = rt::findall(Value(f), V({S("Tag"), S("s")}));
    EXPECT_EQ(rt::get(slider, S("Value"))[0], 0.25);
}

}  // namespace
