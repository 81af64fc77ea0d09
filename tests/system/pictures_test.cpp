// The pictures --save-figures writes of a finished run, read back as
// pixels: the cart window keeps the final pose under the success title, and
// the learning curve is written beside the figures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <QColor>
#include <QImage>

#include "tests/system/program_run.hpp"

namespace {

using sys_test::joined;
using sys_test::kDeterministicRun;
using sys_test::run_tavrin;

long pixels_where(const QImage& image, bool (*wanted)(QColor)) {
    long n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += wanted(image.pixelColor(x, y)) ? 1 : 0;
    }
    return n;
}

bool pure_blue(QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; }

TEST(Pictures, TheCartWindowShowsTheFinalPoseWithoutKeepingItsObjects) {
    const std::string folder = sys_test::make_temp_folder();
    const std::vector<std::string> plain = joined(kDeterministicRun, {"--eval", "numel(findall(0))"});
    const auto saved = run_tavrin(joined(plain, {"--save-figures", folder}));
    ASSERT_EQ(saved.status, 0) << saved.err;
    // The tree holds what it held without pictures being asked for.
    EXPECT_EQ(saved.out, run_tavrin(plain).out);

    const QImage cart(QString::fromStdString(folder + "/figure-2.png"));
    ASSERT_FALSE(cart.isNull());
    // The cart, 0.8 wide on an axis 6 long: about 0.13 of the plot's width
    // and a few pixels high, in the run's blue.
    const long blue = pixels_where(cart, pure_blue);
    EXPECT_GT(blue, 200);
    EXPECT_LT(blue, 2000);

    const QImage curve(QString::fromStdString(folder + "/learning-curve.png"));
    ASSERT_FALSE(curve.isNull());
    EXPECT_GT(curve.width(), 100);
    // The curve's line of this run is drawn.
    EXPECT_GT(pixels_where(curve, [](QColor c) { return c.blue() > 150 && c.red() < 60 && c.green() > 80; }), 100);
    for (const char* f : {"figure-1.png", "figure-3.png"}) EXPECT_TRUE(std::filesystem::exists(folder + "/" + f));
}

}  // namespace
