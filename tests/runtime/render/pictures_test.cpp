// Pictures of the run's windows. The cart window: where the cart, the pole,
// the push marker, the ticks and the title land on the pixels. Surfaces:
// colour by height, faces back to front.
#include <cmath>
#include <tuple>
#include <vector>

#include "runtime/render/colormap.hpp"
#include "runtime/render/figure_painter.hpp"
#include "tests/runtime/render/render_fixture.hpp"

namespace {

using namespace render_test;
using rt::Value;

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
    for (auto [x, theta, force] : {std::tuple{0.0, 0.0, 10.0}, {1.5, 0.3, -10.0}, {-2.2, -0.5, 10.0}, {2.6, 0.05, -10.0}}) {
        SCOPED_TRACE("x = " + std::to_string(x) + ", theta = " + std::to_string(theta) + ", F = " + std::to_string(force));
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
        return pixels_where(picture.copy(int(left), int(top), int(right) - int(left), int(bottom) - int(top)), is_dark).count;
    };
    // The bottom edge of the box is drawn.
    EXPECT_GT(dark_in(g.px(0.5), g.box_bottom, g.px(0.5) + 1, std::round(g.box_bottom) + 1), 0);
    // Tick labels under the box at -3 and 3, and left of it at 0 and 1.5.
    for (double x : {-3, 3}) EXPECT_GT(dark_in(g.px(x) - 10, g.box_bottom + 3, g.px(x) + 10, g.box_bottom + 20), 5) << x;
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

}  // namespace
