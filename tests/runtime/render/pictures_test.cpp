// Pictures of the run's windows. The cart window: where the cart, the pole,
// the push marker, the ticks and the title land on the pixels. Surfaces:
// colour by height, faces back to front. A window's painter keeps a picture
// of what did not change; what it shows must still be what a fresh paint
// shows. Ticks and the colour map stay finite at the ends of the double range.
#include <gmock/gmock.h>
#include <QPainter>

#include "runtime/render/colormap.hpp"
#include "runtime/render/figure_painter.hpp"
#include "runtime/render/ticks.hpp"
#include "tests/runtime/render/render_fixture.hpp"

namespace {

using namespace render_test;

// The cart window is 500 by 200 pixels; its axes take the default position
// (13% in from the left, 11% up, 77.5% by 81.5% of the window) and, with
// equal data units over [-3 3] by [0 1.5], a plot box of 4:1 centred in it.
struct CartGeometry {
    double box_left = 0.13 * 500, box_width = 0.775 * 500;
    double box_height = box_width / 4;
    double area_top = 200 - 0.11 * 200 - 0.815 * 200;
    double box_top = area_top + (0.815 * 200 - box_height) / 2;
    double box_bottom = box_top + box_height;
    double px(double x) const { return box_left + (x + 3) / 6 * box_width; }
    double py(double y) const { return box_bottom - y / 1.5 * box_height; }
};

class CartPicture : public RenderTest {};

TEST_F(CartPicture, CartMarkerAndPoleStandWhereXThePushAndThetaPutThem) {
    const double h = make_cart_window();
    const CartGeometry g;
    for (auto [x, theta, force] :
         {std::tuple{0.0, 0.0, 10.0}, {1.5, 0.3, -10.0}, {-2.2, -0.5, 10.0}, {2.6, 0.05, -10.0}}) {
        SCOPED_TRACE("x = " + std::to_string(x) + ", theta = " + std::to_string(theta) +
                     ", F = " + std::to_string(force));
        CartObjects o = draw_cart(x, theta, force);
        const QImage picture = rt::render_figure(*rt::find_object(h));
        ASSERT_EQ(picture.size(), QSize(500, 200));

        const PixelSet blue = pixels_where(picture, is_blue);
        ASSERT_GT(blue.count, 100);
        EXPECT_NEAR(blue.bounds().center().x(), g.px(x), 1.5);
        EXPECT_NEAR(blue.bounds().width(), 0.8 / 6 * g.box_width, 3);
        EXPECT_NEAR(blue.bounds().top(), g.py(0.2), 2);
        EXPECT_NEAR(blue.bounds().bottom(), g.py(0.1), 2);

        const PixelSet red = pixels_where(picture, is_red);
        ASSERT_GT(red.count, 10);
        EXPECT_NEAR(red.bounds().center().x(), g.px(force > 0 ? x - 0.4 : x + 0.4), 2);
        EXPECT_NEAR(red.bounds().center().y(), g.py(0.11), 2);
        // A triangle's area lies towards its base: a marker pointing right
        // has its mass left of its middle.
        EXPECT_EQ(red.centre_x() < red.bounds().center().x(), force > 0);

        // The pole rises from the hinge at theta: dark all along it, away
        // from the cart and the box edges, and nothing dark 6 pixels to
        // either side of its middle.
        const auto dark_at = [&](double px, double py) { return is_dark(picture.pixelColor(int(px), int(py))); };
        for (double s = 0.15; s <= 0.85; s += 0.05) {
            const double px = std::floor(g.px(x + s * std::sin(theta))), py = g.py(0.2 + s * std::cos(theta));
            EXPECT_TRUE(dark_at(px - 1, py) || dark_at(px, py) || dark_at(px + 1, py)) << s;
        }
        const double mx = std::floor(g.px(x + 0.5 * std::sin(theta))), my = g.py(0.2 + 0.5 * std::cos(theta));
        EXPECT_FALSE(dark_at(mx + 6, my) || dark_at(mx - 6, my));
        erase(o);
    }
}

TEST_F(CartPicture, BoxTicksAndTitleStandAroundThePlot) {
    const double h = make_cart_window();
    const CartGeometry g;
    const rt::Value title = rt::get(rt::gca(), S("Title"));
    rt::set(title[0], "String", S("Trials  12, Best success : 345"));
    const QImage picture = rt::render_figure(*rt::find_object(h));

    // The axes' background is white inside the box, the figure's grey outside.
    EXPECT_EQ(picture.pixelColor(static_cast<int>(g.px(-1)), static_cast<int>(g.py(0.7))), QColor(Qt::white));
    EXPECT_NE(picture.pixelColor(static_cast<int>(g.px(-1)), static_cast<int>(g.box_top - 20)), QColor(Qt::white));
    auto dark_in = [&](double left, double top, double right, double bottom) {
        return pixels_where(picture.copy(int(left), int(top), int(right) - int(left), int(bottom) - int(top)), is_dark)
            .count;
    };
    // The bottom edge of the box is drawn.
    EXPECT_GT(dark_in(g.px(0.5), g.box_bottom, g.px(0.5) + 1, std::round(g.box_bottom) + 1), 0);
    // Tick labels under the box at -3 and 3, and left of it at 0 and 1.5.
    for (double x : {-3, 3})
        EXPECT_GT(dark_in(g.px(x) - 10, g.box_bottom + 3, g.px(x) + 10, g.box_bottom + 20), 5) << x;
    EXPECT_GT(dark_in(g.box_left - 30, g.py(1.5) - 8, g.box_left - 2, g.py(1.5) + 8), 5);
    // The title is centred above the box (clear of the top tick label).
    EXPECT_GT(dark_in(g.px(-1), g.box_top - 25, g.px(1), g.box_top - 2), 20);
    EXPECT_EQ(dark_in(0, g.box_top - 25, g.px(-2.9), g.box_top - 9), 0);
}

// The action-value window after a first failure: two flat surfaces at
// heights 1 and 2 over the 9-by-18 grid, one point of the lower one moved.
double make_action_value_window() {
    const double h = make_mesh_window(40, -30);
    Value low = filled(9, 18, 1);
    low.mutable_data()[4 + 9 * 4] = 0.5;
    rt::surface(std::vector<Value>{low});  // over x = 1..18, y = 1..9
    rt::hold(Value::string("on"));
    rt::surface(std::vector<Value>{filled(9, 18, 2)});
    return h;
}

bool near_color(QColor a, QColor b, int tolerance = 12) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class MeshPicture : public RenderTest {};

TEST_F(MeshPicture, SurfacesAreColouredByHeightWithDarkEdges) {
    const double h = make_action_value_window();
    const QImage picture = rt::render_figure(*rt::find_object(h));
    ASSERT_EQ(picture.size(), QSize(400, 400));
    // Colour limits [0.5 2]: the upper surface takes the map's top colour,
    // the lower one a third of the way up.
    const QColor top = rt::colormap_entry(rt::kColormapSize - 1);
    const QColor third = rt::colormap_color(1, 0.5, 2);
    EXPECT_GT(pixels_where(picture, [&](QColor c) { return near_color(c, top); }).count, 2000);
    EXPECT_GT(pixels_where(picture, [&](QColor c) { return near_color(c, third); }).count, 2000);
    EXPECT_GT(pixels_where(picture, is_dark).count, 1000);
}

TEST_F(MeshPicture, NearerFacesCoverFartherOnes) {
    // A surface folded back on itself: its first face stands at y = 0, its
    // last at y = 1 right behind it, seen from the front (azimuth 0,
    // elevation 0). Painted in grid order the far face would cover the near
    // one.
    double h = rt::figure()[0];
    rt::set(h, "Position", Value::row({100, 100, 300, 300}));
    Value X = Value::from_rows(2, 4, {0, 1, 1, 0, 0, 1, 1, 0});
    Value Y = Value::from_rows(2, 4, {0, 0, 1, 1, 0, 0, 1, 1});
    Value Z = Value::from_rows(2, 4, {0, 0, 0, 0, 1, 1, 1, 1});
    Value C = Value::from_rows(2, 4, {10, 10, 0, 0, 10, 10, 0, 0});
    rt::surface(std::vector<Value>{X, Y, Z, C});
    rt::view(0, 0);
    const QImage picture = rt::render_figure(*rt::find_object(h));
    const PixelSet near_face = pixels_where(picture, [](QColor c) { return near_color(c, rt::colormap_entry(63)); });
    const PixelSet far_face = pixels_where(picture, [](QColor c) { return near_color(c, rt::colormap_entry(0)); });
    EXPECT_GT(near_face.count, 1000);
    EXPECT_LT(far_face.count, 20);
}

// The painter that remembers.

QImage paint_with(rt::FigurePainter& painter, double figure,
                  std::chrono::nanoseconds budget = std::chrono::nanoseconds::max()) {
    const rt::GraphicsObject& fig = *rt::find_object(figure);
    const rt::PixelRect r = rt::pixel_position(fig);
    QImage image(static_cast<int>(r.width), static_cast<int>(r.height), QImage::Format_RGB32);
    QPainter p(&image);
    painter.paint(fig, p, image.size(), rt::PaintControls::Paint, budget);
    return image;
}

Value grid_surface(double height) {
    Value z = Value::zeros(9, 18);
    double* d = z.mutable_data();
    for (std::size_t i = 0; i < 9 * 18; ++i) d[i] = height + 0.01 * static_cast<double>(i % 7);
    return rt::surface(std::vector<Value>{z});
}

// What a fresh paint of the window shows.
QImage fresh(double figure) { return rt::render_figure(*rt::find_object(figure)); }

class FigurePainterTest : public RenderTest {};

TEST_F(FigurePainterTest, AddedSurfacesArePaintedOverTheRememberedPicture) {
    const double h = make_mesh_window(30, -15);
    rt::hold(Value::string("on"));
    // Fixed limits: the new surfaces fall inside them.
    rt::axis(Value::row({1, 18, 1, 9, 0, 10}));
    rt::set(rt::gca(), std::vector<Value>{Value::string("CLim"), Value::row({0, 10})});
    for (int i = 0; i < 6; ++i) grid_surface(i);

    rt::FigurePainter painter;
    paint_with(painter, h);
    paint_with(painter, h);  // now all six are old
    grid_surface(6);
    grid_surface(7);
    const QImage incremental = paint_with(painter, h);
    EXPECT_EQ(std::pair(painter.objects_painted(), incremental == fresh(h)), std::pair(std::size_t{2}, true));

    // A changed view paints everything again, and still right.
    rt::view(40, -30);
    const QImage turned = paint_with(painter, h);
    EXPECT_EQ(std::pair(painter.objects_painted(), turned == fresh(h)), std::pair(std::size_t{8}, true));
}

TEST_F(FigurePainterTest, DeletedAndChangedObjectsLeaveNoTrace) {
    const double h = make_cart_window();
    rt::FigurePainter painter;
    CartObjects o = draw_cart(-1.5, 0, 10);
    paint_with(painter, h);
    paint_with(painter, h);  // the cart is in the remembered picture now
    erase(o);
    o = draw_cart(1.5, 0, -10);
    QImage moved = paint_with(painter, h);
    EXPECT_EQ(moved, fresh(h));
    EXPECT_LT(pixels_where(moved, is_blue).centre_x(), 400);
    EXPECT_GT(pixels_where(moved, is_blue).left, 250);

    // A property change of a remembered object shows too.
    paint_with(painter, h);
    rt::set(o.cart[0], "FaceColor", Value::string("r"));
    const QImage recoloured = paint_with(painter, h);
    EXPECT_EQ(std::pair(pixels_where(recoloured, is_blue).count, recoloured == fresh(h)), std::pair(0, true));
}

TEST_F(FigurePainterTest, APaintOutOfTimeIsFinishedByLaterPaintsAndShowsTheLastWholeFrameMeanwhile) {
    const double h = make_mesh_window(30, -15);
    rt::hold(Value::string("on"));
    for (int i = 0; i < 40; ++i) grid_surface(i % 5);
    const auto no_time = std::chrono::nanoseconds(0);

    // From nothing: each paint gets on, and the last is the whole picture.
    rt::FigurePainter painter;
    QImage shown = paint_with(painter, h, no_time);
    EXPECT_FALSE(painter.complete());
    int paints = 1;
    for (; !painter.complete() && paints < 200; ++paints) shown = paint_with(painter, h, no_time);
    EXPECT_TRUE(painter.complete());
    EXPECT_GT(paints, 10);
    const QImage whole = fresh(h);
    EXPECT_EQ(shown, whole);

    // A new view is painted over several paints; until then the window
    // keeps showing the last whole frame, then the new one.
    rt::view(40, -30);
    EXPECT_EQ(paint_with(painter, h, no_time), whole);
    EXPECT_FALSE(painter.complete());
    while (!painter.complete()) shown = paint_with(painter, h, no_time);
    EXPECT_EQ(shown, fresh(h));
    EXPECT_NE(shown, whole);

    // Holding back a rebuild that cannot finish keeps the last whole frame
    // and the painter's memory; let go, the paints rebuild it.
    const QImage before = shown;
    painter.hold_back_long_rebuilds(true);
    rt::view(30, -15);
    EXPECT_EQ(paint_with(painter, h, no_time), before);
    EXPECT_TRUE(painter.rebuild_held_back());
    EXPECT_FALSE(painter.complete());
    painter.hold_back_long_rebuilds(false);
    while (!painter.complete()) shown = paint_with(painter, h, no_time);
    EXPECT_FALSE(painter.rebuild_held_back());
    EXPECT_EQ(shown, whole);
}

TEST_F(FigurePainterTest, ControlsAppearInPicturesOfTheWindow) {
    double h = rt::figure()[0];
    rt::set(h, "Position", Value::row({100, 100, 300, 120}));
    auto control = [](std::initializer_list<Value> pairs) { return rt::uicontrol(std::vector<Value>(pairs)); };
    Value slider = control({S("Style"), S("slider"), S("Position"), R({10, 80, 200, 20}), S("Value"), Value(0.0)});
    control({S("Style"), S("pushbutton"), S("String"), S("Start"), S("Position"), R({10, 10, 80, 30})});
    control({S("Style"), S("text"), S("String"), S("0.5"), S("Position"), R({220, 80, 60, 20}), S("BackgroundColor"),
             R({1, 1, 0})});

    auto thumb_centre = [&](const QImage& img) {
        // The slider's thumb is the lighter block inside its groove's row.
        return pixels_where(img.copy(10, 120 - 100, 200, 20), [](QColor c) { return c == QColor(230, 230, 230); })
            .centre_x();
    };
    const QImage at_min = fresh(h);
    rt::set(slider[0], "Value", Value(1.0));
    const QImage at_max = fresh(h);
    EXPECT_LT(thumb_centre(at_min), 50);
    EXPECT_GT(thumb_centre(at_max), 150);

    // The button's caption and the text's background are drawn.
    EXPECT_GT(pixels_where(at_min.copy(12, 82, 76, 26), is_dark).count, 10);
    EXPECT_GT(pixels_where(at_min.copy(220, 20, 60, 20), [](QColor c) { return c == QColor(255, 255, 0); }).count, 600);
}

// Tick values and the colour map; data and sizes at the ends of the double
// range: limits, ticks and colours stay finite (no NaN reaches an integer),
// and a window too large to paint is refused rather than painted as a scrap.

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
    EXPECT_EQ(error_of([&] { rt::render_figure(object(rt::gcf())); }),
              "Figure 1 is 1e+300-by-100 pixels: a picture can be at most 8192 pixels wide and high.");
}

}  // namespace
