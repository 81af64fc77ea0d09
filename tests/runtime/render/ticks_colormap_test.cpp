// Tick values and the colour map.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/render/colormap.hpp"
#include "runtime/render/ticks.hpp"

namespace {

using ::testing::ElementsAre;

TEST(Ticks, RoundValuesAsManyAsFit) {
    EXPECT_THAT(rt::tick_values(-3, 3, 387.5, 60), ElementsAre(-3, -2, -1, 0, 1, 2, 3));
    EXPECT_THAT(rt::tick_values(0, 1.5, 97, 25), ElementsAre(0, 0.5, 1, 1.5));
    EXPECT_THAT(rt::tick_values(0, 20, 200, 60), ElementsAre(0, 10, 20));
    // Ticks stay inside the limits and a multiple of a tiny step is shown as 0.
    auto t = rt::tick_values(-0.3, 0.7, 300, 60);
    ASSERT_FALSE(t.empty());
    EXPECT_GE(t.front(), -0.3);
    EXPECT_LE(t.back(), 0.7);
    EXPECT_EQ(rt::tick_label(1e-17, 0.1), "0");
    EXPECT_EQ(rt::tick_label(0.5, 0.5), "0.5");
}

TEST(Ticks, BrokenRangesGiveNoTicks) {
    EXPECT_TRUE(rt::tick_values(1, 1, 100, 60).empty());
    EXPECT_TRUE(rt::tick_values(2, 1, 100, 60).empty());
    EXPECT_TRUE(rt::tick_values(0, INFINITY, 100, 60).empty());
    EXPECT_TRUE(rt::tick_values(NAN, 1, 100, 60).empty());
    // A huge range on a tiny axis still gives a bounded list.
    EXPECT_LE(rt::tick_values(-1e300, 1e300, 0, 0).size(), 50u);
}

TEST(Colormap, RunsFromDarkToLightAndClampsItsEnds) {
    auto lightness = [](QColor c) { return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF(); };
    for (int i = 1; i < rt::kColormapSize; ++i) {
        EXPECT_GT(lightness(rt::colormap_entry(i)), lightness(rt::colormap_entry(i - 1))) << i;
    }
    EXPECT_EQ(rt::colormap_color(-5, 0, 1), rt::colormap_entry(0));
    EXPECT_EQ(rt::colormap_color(5, 0, 1), rt::colormap_entry(rt::kColormapSize - 1));
    EXPECT_EQ(rt::colormap_color(1, 0, 1), rt::colormap_entry(rt::kColormapSize - 1));
    EXPECT_FALSE(rt::colormap_color(NAN, 0, 1).isValid());
    // Equal limits do not divide by zero.
    EXPECT_TRUE(rt::colormap_color(3, 3, 3).isValid());
}

}  // namespace
