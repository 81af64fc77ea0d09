// A window's painter keeps a picture of what did not change; what it shows
// must still be what a fresh paint shows.
#include <chrono>
#include <vector>

#include <QPainter>

#include "runtime/render/figure_painter.hpp"
#include "tests/runtime/render/render_fixture.hpp"

namespace {

using namespace render_test;
using rt::Value;

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
    EXPECT_EQ(painter.objects_painted(), 2u);
    EXPECT_EQ(incremental, fresh(h));

    // A changed view paints everything again, and still right.
    rt::view(40, -30);
    const QImage turned = paint_with(painter, h);
    EXPECT_EQ(painter.objects_painted(), 8u);
    EXPECT_EQ(turned, fresh(h));
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
    EXPECT_EQ(pixels_where(recoloured, is_blue).count, 0);
    EXPECT_EQ(recoloured, fresh(h));
}

TEST_F(FigurePainterTest, AutomaticLimitsFollowSurfacesAddedChangedAndDeleted) {
    const double h = make_mesh_window(30, -15);
    rt::hold(Value::string("on"));
    std::vector<Value> surfaces;
    for (int i = 0; i < 4; ++i) surfaces.push_back(grid_surface(i));
    rt::FigurePainter painter;
    paint_with(painter, h);
    paint_with(painter, h);
    const auto same_as_fresh = [&](const char* what) { EXPECT_EQ(paint_with(painter, h), fresh(h)) << what; };
    surfaces.push_back(grid_surface(20));
    same_as_fresh("a higher surface added");
    rt::set(surfaces[1][0], "ZData", filled(9, 18, -30));
    same_as_fresh("an old surface lowered");
    rt::delete_(surfaces[4]);
    same_as_fresh("the highest deleted");
    rt::delete_(surfaces[0]);
    same_as_fresh("the oldest deleted");
    rt::set(surfaces[1][0], "Visible", Value::string("off"));
    same_as_fresh("the lowest hidden");
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
}

TEST_F(FigurePainterTest, ControlsAppearInPicturesOfTheWindow) {
    double h = rt::figure()[0];
    rt::set(h, "Position", Value::row({100, 100, 300, 120}));
    auto control = [](std::initializer_list<Value> pairs) { return rt::uicontrol(std::vector<Value>(pairs)); };
    Value slider = control({S("Style"), S("slider"), S("Position"), R({10, 80, 200, 20}), S("Value"), Value(0.0)});
    control({S("Style"), S("pushbutton"), S("String"), S("Start"), S("Position"), R({10, 10, 80, 30})});
    control({S("Style"), S("text"), S("String"), S("0.5"), S("Position"), R({220, 80, 60, 20}),
             S("BackgroundColor"), R({1, 1, 0})});

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

}  // namespace
