// Data and sizes at the ends of the double range: limits, ticks and colours
// stay finite numbers (no NaN reaches an integer), and a window too large to
// paint is refused rather than painted as a scrap.
#include <cmath>
#include <set>
#include <vector>

#include "runtime/array/error.hpp"
#include "runtime/render/colormap.hpp"
#include "runtime/render/figure_painter.hpp"
#include "runtime/render/ticks.hpp"
#include "tests/error_text.hpp"
#include "tests/runtime/render/render_fixture.hpp"

namespace {

using namespace render_test;
using rt::Value;

// Finite, increasing, distinct and few.
void expect_sane_ticks(const std::vector<double>& ticks, double lo, double hi) {
    EXPECT_LE(ticks.size(), 50u);
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_TRUE(std::isfinite(ticks[i])) << lo << ".." << hi;
        EXPECT_GE(ticks[i], lo);
        EXPECT_LE(ticks[i], hi);
        if (i > 0) {
            EXPECT_GT(ticks[i], ticks[i - 1]) << lo << ".." << hi;
        }
    }
}

TEST(ExtremeTicks, TinyHugeAndUnpaintableRangesGiveFiniteDistinctTicks) {
    const double big = 1.7976931348623157e308;
    struct Case { double lo, hi, pixels; };
    for (Case c : std::vector<Case>{{0, 1e-320, 300}, {-1e308, 1e308, 300}, {-big, big, 20}, {-big, big, 300},
                                    {1e20, 1e20 + 65536, 300}, {-1e308, 1e308, NAN}, {0, 1, INFINITY}}) {
        const std::vector<double> ticks = rt::tick_values(c.lo, c.hi, c.pixels, 60);
        expect_sane_ticks(ticks, c.lo, c.hi);
    }
    // The whole double range still gets round ticks, labelled briefly.
    const std::vector<double> ticks = rt::tick_values(-1e308, 1e308, 300, 60);
    EXPECT_GE(ticks.size(), 3u);
    EXPECT_EQ(rt::tick_label(5e307, 5e307), "5e+307");
    EXPECT_EQ(rt::tick_label(1e20, 5e18), "1e+20");
    EXPECT_EQ(rt::tick_label(3, 1), "3");
    // Colour limits spanning the double range.
    EXPECT_EQ(rt::colormap_index(0, -1e308, 1e308), rt::kColormapSize / 2);
    EXPECT_EQ(rt::colormap_index(1e308, -1e308, 1e308), rt::kColormapSize - 1);
}

class ExtremeRangesTest : public RenderTest {
protected:
    // A 2-by-2 surface of the given heights in a new 3-D window; gives the window.
    static double surface_window(double a, double b, double c, double d) {
        const double h = rt::figure()[0];
        rt::set(h, "Position", Value::row({10, 10, 300, 240}));
        rt::view(3);
        Value z = Value::zeros(2, 2);
        double* p = z.mutable_data();
        p[0] = a;
        p[1] = b;
        p[2] = c;
        p[3] = d;
        rt::surface(std::vector<Value>{z});
        return h;
    }
};

TEST_F(ExtremeRangesTest, DegenerateAndHugeDataGetFiniteLimitsAndAreDrawn) {
    for (auto heights : std::vector<std::vector<double>>{
             {1e-320, 0, 0, 1e-320}, {1e308, 1e308, -1e308, -1e308}, {5, 5, 5, 5}, {1e20, 1e20, 1e20, 1e20}}) {
        const double h = surface_window(heights[0], heights[1], heights[2], heights[3]);
        const rt::AxesLimits lim = rt::effective_limits(object(rt::gca()));
        EXPECT_TRUE(std::isfinite(lim.z[0]) && std::isfinite(lim.z[1])) << heights[0];
        EXPECT_LT(lim.z[0], lim.z[1]) << heights[0];
        EXPECT_LE(lim.z[0], std::min(heights[0], heights[2]));
        EXPECT_GE(lim.z[1], std::max(heights[0], heights[2]));
        // Tiny data are drawn as one value: their limits leave room for ticks.
        EXPECT_GT(lim.z[1] - lim.z[0], 1e-300) << heights[0];

        const QImage picture = rt::render_figure(object(Value(h)));
        ASSERT_EQ(picture.size(), QSize(300, 240));
        // Something of the surface's colour map (not grey, white or black) is drawn.
        int coloured = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor px = picture.pixelColor(x, y);
                if (std::abs(px.red() - px.blue()) > 40 || std::abs(px.green() - px.blue()) > 40) ++coloured;
            }
        EXPECT_GT(coloured, 100) << heights[0];
        rt::delete_(Value(h));
    }
}

TEST_F(ExtremeRangesTest, AWindowTooLargeToPaintIsRefusedWithItsSize) {
    const double h = rt::figure()[0];
    rt::set(h, "Position", Value::row({0, 0, 1e300, 100}));
    EXPECT_EQ(sys_test::error_of([&] { rt::render_figure(object(Value(h))); }),
              "Figure 1 is 1e+300-by-100 pixels: a picture can be at most 8192 pixels wide and high.");
    rt::set(h, "Position", Value::row({0, 0, 8193, 100}));
    EXPECT_NE(sys_test::error_of([&] { rt::render_figure(object(Value(h))); }), "");
    rt::set(h, "Position", Value::row({0, 0, 8192, 10}));
    EXPECT_EQ(rt::render_figure(object(Value(h))).size(), QSize(8192, 10));
}

}  // namespace
