// Pictures of the cart window: where the cart, the pole, the push marker,
// the ticks and the title land on the pixels.
#include <cmath>

#include "runtime/render/figure_painter.hpp"
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

TEST_F(CartPicture, CartAndMarkerStandWhereXAndThePushPutThem) {
    const double h = make_cart_window();
    const CartGeometry g;
    struct Case {
        double x, force;
    };
    for (Case c : {Case{0, 10}, Case{1.5, -10}, Case{-2.2, 10}, Case{2.6, -10}}) {
        SCOPED_TRACE("x = " + std::to_string(c.x) + ", F = " + std::to_string(c.force));
        CartObjects o = draw_cart(c.x, 0.05, c.force);
        const QImage picture = rt::render_figure(*rt::find_object(h));
        ASSERT_EQ(picture.size(), QSize(500, 200));

        const PixelSet blue = pixels_where(picture, is_blue);
        ASSERT_GT(blue.count, 100);
        EXPECT_NEAR(blue.bounds().center().x(), g.px(c.x), 1.5);
        EXPECT_NEAR(blue.bounds().width(), 0.8 / 6 * g.box_width, 3);
        EXPECT_NEAR(blue.bounds().top(), g.py(0.2), 2);
        EXPECT_NEAR(blue.bounds().bottom(), g.py(0.1), 2);

        const PixelSet red = pixels_where(picture, is_red);
        ASSERT_GT(red.count, 10);
        const double edge = c.force > 0 ? c.x - 0.4 : c.x + 0.4;
        EXPECT_NEAR(red.bounds().center().x(), g.px(edge), 2);
        EXPECT_NEAR(red.bounds().center().y(), g.py(0.11), 2);
        // A triangle's area lies towards its base: a marker pointing right
        // has its mass left of its middle.
        if (c.force > 0) {
            EXPECT_LT(red.centre_x(), red.bounds().center().x());
        } else {
            EXPECT_GT(red.centre_x(), red.bounds().center().x());
        }
        rt::delete_(o.cart);
        rt::delete_(o.pole);
        rt::delete_(o.marker);
    }
}

TEST_F(CartPicture, PoleRisesFromTheHingeAtTheAngleTheta) {
    const double h = make_cart_window();
    const CartGeometry g;
    for (double theta : {0.0, 0.3, -0.5}) {
        SCOPED_TRACE("theta = " + std::to_string(theta));
        const double x = 0.5;
        CartObjects o = draw_cart(x, theta, 10);
        const QImage picture = rt::render_figure(*rt::find_object(h));
        // Sample along the pole, away from the cart and the box edges.
        int dark = 0, samples = 0;
        for (double s = 0.15; s <= 0.85; s += 0.05, ++samples) {
            const double px = g.px(x + s * std::sin(theta)), py = g.py(0.2 + s * std::cos(theta));
            bool found = false;
            for (int dx = -1; dx <= 1 && !found; ++dx) {
                found = is_dark(picture.pixelColor(static_cast<int>(std::floor(px)) + dx, static_cast<int>(py)));
            }
            dark += found;
        }
        EXPECT_EQ(dark, samples);
        // Half way up, nothing dark stands 6 pixels to either side of it.
        const double mx = g.px(x + 0.5 * std::sin(theta)), my = g.py(0.2 + 0.5 * std::cos(theta));
        EXPECT_FALSE(is_dark(picture.pixelColor(static_cast<int>(mx) + 6, static_cast<int>(my))));
        EXPECT_FALSE(is_dark(picture.pixelColor(static_cast<int>(mx) - 6, static_cast<int>(my))));
        rt::delete_(o.cart);
        rt::delete_(o.pole);
        rt::delete_(o.marker);
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
    // The bottom edge of the box is drawn.
    EXPECT_TRUE(is_dark(picture.pixelColor(static_cast<int>(g.px(0.5)), static_cast<int>(std::round(g.box_bottom)))) ||
                is_dark(picture.pixelColor(static_cast<int>(g.px(0.5)), static_cast<int>(g.box_bottom))));

    auto dark_in = [&](double left, double top, double right, double bottom) {
        int n = 0;
        for (int y = static_cast<int>(top); y < static_cast<int>(bottom); ++y)
            for (int x = static_cast<int>(left); x < static_cast<int>(right); ++x) n += is_dark(picture.pixelColor(x, y));
        return n;
    };
    // Tick labels under the box at -3 and 3, and left of it at 0 and 1.5.
    EXPECT_GT(dark_in(g.px(-3) - 10, g.box_bottom + 3, g.px(-3) + 10, g.box_bottom + 20), 5);
    EXPECT_GT(dark_in(g.px(3) - 10, g.box_bottom + 3, g.px(3) + 10, g.box_bottom + 20), 5);
    EXPECT_GT(dark_in(g.box_left - 30, g.py(1.5) - 8, g.box_left - 2, g.py(1.5) + 8), 5);
    // The title is centred above the box (clear of the top tick label).
    EXPECT_GT(dark_in(g.px(-1), g.box_top - 25, g.px(1), g.box_top - 2), 20);
    EXPECT_EQ(dark_in(0, g.box_top - 25, g.px(-2.9), g.box_top - 9), 0);
}

}  // namespace
