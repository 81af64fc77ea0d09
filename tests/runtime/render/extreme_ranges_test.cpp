// Data and sizes at the ends of the double range: limits, ticks and colours
// stay finite (no NaN reaches an integer), and a window too large to paint
// is refused rather than painted as a scrap.
#include "runtime/render/colormap.hpp"
#include "runtime/render/figure_painter.hpp"
#include "runtime/render/ticks.hpp"
#include "tests/error_text.hpp"
#include "tests/runtime/render/render_fixture.hpp"

namespace {

using namespace render_test;
using rt::Value;

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
        int coloured = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) coloured += picture.pixelColor(x, y).saturation() > 100;
        EXPECT_GT(coloured, 100) << scale;
        rt::delete_(Value(h));
    }
    // Manual limits of any width, an axis of unknown length.
    for (auto [lo, hi, pixels] : {std::tuple{0.0, 1e-320, 300.0}, {-1.7e308, 1.7e308, 20.0}, {1e20, 1e20 + 65536, NAN}}) {
        const std::vector<double> ticks = rt::tick_values(lo, hi, pixels, 60);
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            EXPECT_TRUE(ticks[i] >= lo && ticks[i] <= hi && (i == 0 || ticks[i] > ticks[i - 1])) << lo << ", " << i;
        }
    }
    EXPECT_EQ(rt::tick_label(5e307, 5e307), "5e+307");
    EXPECT_EQ(rt::colormap_index(1e308, -1e308, 1e308), rt::kColormapSize - 1);

    rt::set(rt::figure()[0], "Position", Value::row({0, 0, 1e300, 100}));
    EXPECT_EQ(sys_test::error_of([&] { rt::render_figure(object(rt::gcf())); }),
              "Figure 1 is 1e+300-by-100 pixels: a picture can be at most 8192 pixels wide and high.");
}

}  // namespace
