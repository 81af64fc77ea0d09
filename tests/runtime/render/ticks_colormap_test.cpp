// Tick values and the colour map; data and sizes at the ends of the double
// range: limits, ticks and colours stay finite (no NaN reaches an integer),
// and a window too large to paint is refused rather than painted as a scrap.
#include <gmock/gmock.h>

#include "runtime/render/colormap.hpp"
#include "runtime/render/figure_painter.hpp"
#include "runtime/render/ticks.hpp"
#include "tests/error_text.hpp"
#include "tests/runtime/render/render_fixture.hpp"

namespace {

using namespace render_test;
using rt::Value;
using ::testing::ElementsAre;

TEST(Ticks, RoundValuesAsManyAsFitAndNoneForBrokenRanges) {
    EXPECT_THAT(rt::tick_values(-3, 3, 387.5, 60), ElementsAre(-3, -2, -1, 0, 1, 2, 3));
    EXPECT_THAT(rt::tick_values(0, 1.5, 97, 25), ElementsAre(0, 0.5, 1, 1.5));
    EXPECT_THAT(rt::tick_values(0, 20, 200, 60), ElementsAre(0, 10, 20));
    // Ticks stay inside the limits and a multiple of a tiny step is shown as 0.
    auto t = rt::tick_values(-0.3, 0.7, 300, 60);
    EXPECT_TRUE(!t.empty() && t.front() >= -0.3 && t.back() <= 0.7);
    EXPECT_EQ(rt::tick_label(1e-17, 0.1), "0");
    EXPECT_EQ(rt::tick_label(0.5, 0.5), "0.5");
    // Broken ranges give none.
    for (auto [lo, hi] : {std::pair{1.0, 1.0}, {2.0, 1.0}, {0.0, INFINITY}, {NAN, 1.0}})
        EXPECT_TRUE(rt::tick_values(lo, hi, 100, 60).empty()) << lo << " " << hi;
    // A huge range on a tiny axis still gives a bounded list.
    EXPECT_LE(rt::tick_values(-1e300, 1e300, 0, 0).size(), 50u);
}

TEST(Colormap, RunsFromDarkToLightAndClampsItsEnds) {
    auto lightness = [](QColor c) { return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF(); };
    for (int i = 1; i < rt::kColormapSize; ++i)
        EXPECT_GT(lightness(rt::colormap_entry(i)), lightness(rt::colormap_entry(i - 1))) << i;
    for (auto [v, entry] : {std::pair{-5.0, 0}, {5.0, rt::kColormapSize - 1}, {1.0, rt::kColormapSize - 1}})
        EXPECT_EQ(rt::colormap_color(v, 0, 1), rt::colormap_entry(entry)) << v;
    EXPECT_FALSE(rt::colormap_color(NAN, 0, 1).isValid());
    // Equal limits do not divide by zero.
    EXPECT_TRUE(rt::colormap_color(3, 3, 3).isValid());
}

TEST_F(RenderTest, TinyAndHugeRangesGiveFiniteLimitsTicksAndColours) {
    for (double scale : {1e-320, 1e308}) {
        const double h = rt::figure()[0];
        rt::set(h, "Position", Value::row({10, 10, 300, 240}));
        rt::view(3);
        Value z = Value::zeros(2, 2);
        z.mutable_data()[0] = z.mutable_data()[1] = scale;
        if (scale > 1) z.mutable_data()[2] = z.mutable_data()[3] = -scale;
        rt::surface(std::vector<Value>{z});
        const rt::AxesLimits lim = rt::effective_limits(object(rt::gca()));
        EXPECT_TRUE(std::isfinite(lim.z[0]) && std::isfinite(lim.z[1]) && lim.z[1] - lim.z[0] > 1e-300) << scale;
        // Painting is where NaN met int; the picture has the surface's colours.
        const QImage picture = rt::render_figure(object(Value(h)));
        EXPECT_GT(pixels_where(picture, [](QColor c) { return c.saturation() > 100; }).count, 100) << scale;
        rt::delete_(Value(h));
    }
    // Manual limits of any width, an axis of unknown length.
    for (auto [lo, hi, pixels] :
         {std::tuple{0.0, 1e-320, 300.0}, {-1.7e308, 1.7e308, 20.0}, {1e20, 1e20 + 65536, NAN}}) {
        const std::vector<double> ticks = rt::tick_values(lo, hi, pixels, 60);
        for (std::size_t i = 0; i < ticks.size(); ++i)
            EXPECT_TRUE(ticks[i] >= lo && ticks[i] <= hi && (i == 0 || ticks[i] > ticks[i - 1])) << lo << ", " << i;
    }
    EXPECT_EQ(rt::tick_label(5e307, 5e307), "5e+307");
    EXPECT_EQ(rt::colormap_index(1e308, -1e308, 1e308), rt::kColormapSize - 1);

    rt::set(rt::figure()[0], "Position", Value::row({0, 0, 1e300, 100}));
    EXPECT_EQ(sys_test::error_of([&] { rt::render_figure(object(rt::gcf())); }),
              "Figure 1 is 1e+300-by-100 pixels: a picture can be at most 8192 pixels wide and high.");
}

}  // namespace
