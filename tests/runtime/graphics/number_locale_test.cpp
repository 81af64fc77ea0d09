// Number text under a comma-decimal C locale, as a toolkit sets it when it
// starts. The locale is built with localedef into a folder of the test's own
// (LOCPATH); the test is skipped only when even that cannot be had.
#include <clocale>

#include "graphics_fixture.hpp"
#include "runtime/array/display.hpp"
#include "runtime/array/text.hpp"
#include "runtime/expression/expression.hpp"
#include "runtime/graphics/layout_loader.hpp"

namespace {

namespace fs = std::filesystem;
const fs::path dir = fs::temp_directory_path() / ("tavrin-locale-" + std::to_string(::getpid()));

bool use_comma_locale() {
    const std::string made = (dir / "de_DE.UTF-8").string();
    if (std::system(("localedef -i de_DE -f UTF-8 '" + made + "' >/dev/null 2>&1").c_str()) != 0 && !fs::exists(made))
        return false;
    ::setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && *std::localeconv()->decimal_point == ',';
}

TEST_F(GraphicsTest, NumbersAreWrittenAndReadWithADecimalPointInAnyLocale) {
    fs::create_directories(dir);
    if (!use_comma_locale()) {
        fs::remove_all(dir);
        GTEST_SKIP() << "no comma-decimal locale could be made (localedef, de_DE sources)";
    }
    EXPECT_EQ(rt::num2str(0.25) + " " + rt::num2str(-3.14159265) + " " + rt::num2str(1.5e-7), "0.25 -3.1416 1.5e-07");
    EXPECT_EQ(rt::display_line("ALPHA", rt::Value(0.3)), "ALPHA = 0.3");
    EXPECT_EQ(rt::num2str(rt::Value::row({0.5, 2.25})).text(), "0.5  2.25");
    EXPECT_EQ(rt::parse_number("+0.25"), 0.25);
    EXPECT_FALSE(rt::parse_number("0,25"));

    rt::EvalContext ctx;
    rt::evaluate("x = 0.25", ctx, false);
    EXPECT_EQ(ctx.find("x")->scalar(), 0.25);
    std::ofstream(dir / "comma.fig") << R"({"type": "figure", "Tag": "f", "UserData": 0.25})";
    EXPECT_EQ(rt::get(rt::load_layout((dir / "comma.fig").string()), "UserData").scalar(), 0.25);

    std::setlocale(LC_NUMERIC, "C");
    fs::remove_all(dir);
}

}  // namespace
