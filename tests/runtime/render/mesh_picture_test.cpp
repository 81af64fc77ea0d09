// Pictures of surfaces: colour by height, the view, faces back to front.
#include <vector>

#include "runtime/render/colormap.hpp"
#include "runtime/render/figure_painter.hpp"
#include "tests/runtime/render/render_fixture.hpp"

namespace {

using namespace render_test;
using rt::Value;

Value filled(std::size_t rows, std::size_t cols, double v) {
    Value m = Value::zeros(rows, cols);
    double* d = m.mutable_data();
    for (std::size_t i = 0; i < rows * cols; ++i) d[i] = v;
    return m;
}

Value matrix(std::size_t rows, std::size_t cols, std::initializer_list<double> by_rows) {
    return Value::from_rows(rows, cols, by_rows);
}

// The action-value window after a first failure: two flat surfaces at
// heights 1 and 2 over the 9-by-18 grid, one point of the lower one moved.
double make_mesh_window() {
    double h = rt::figure()[0];
    rt::set(h, "Position", Value::row({510, 50, 400, 400}));
    rt::view(40, -30);
    std::vector<double> xs, ys;
    for (int k = 1; k <= 18; ++k) xs.push_back(k);
    for (int j = 1; j <= 9; ++j) ys.push_back(j);
    Value low = filled(9, 18, 1);
    low.mutable_data()[4 + 9 * 4] = 0.5;
    rt::surface(std::vector<Value>{Value::row(xs), Value::row(ys), low});
    rt::hold(Value::string("on"));
    rt::surface(std::vector<Value>{Value::row(xs), Value::row(ys), filled(9, 18, 2)});
    return h;
}

bool near_color(QColor a, QColor b, int tolerance = 12) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class MeshPicture : public RenderTest {};

TEST_F(MeshPicture, SurfacesAreColouredByHeightWithDarkEdges) {
    const double h = make_mesh_window();
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

TEST_F(MeshPicture, ViewTurnsThePicture) {
    const double h = make_mesh_window();
    const QImage first = rt::render_figure(*rt::find_object(h));
    rt::view(30, -15);
    const QImage second = rt::render_figure(*rt::find_object(h));
    rt::view(40, -30);
    const QImage again = rt::render_figure(*rt::find_object(h));
    int differing = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) differing += first.pixel(x, y) != second.pixel(x, y);
    EXPECT_GT(differing, first.width() * first.height() / 20);
    EXPECT_EQ(first, again);
}

TEST_F(MeshPicture, NearerFacesCoverFartherOnes) {
    // A surface folded back on itself: its first face stands at y = 0, its
    // last at y = 1 right behind it, seen from the front (azimuth 0,
    // elevation 0). Painted in grid order the far face would cover the near
    // one.
    double h = rt::figure()[0];
    rt::set(h, "Position", Value::row({100, 100, 300, 300}));
    Value X = matrix(2, 4, {0, 1, 1, 0, 0, 1, 1, 0});
    Value Y = matrix(2, 4, {0, 0, 1, 1, 0, 0, 1, 1});
    Value Z = matrix(2, 4, {0, 0, 0, 0, 1, 1, 1, 1});
    Value C = matrix(2, 4, {10, 10, 0, 0, 10, 10, 0, 0});
    rt::surface(std::vector<Value>{X, Y, Z, C});
    rt::view(0, 0);
    const QImage picture = rt::render_figure(*rt::find_object(h));
    const PixelSet near_face = pixels_where(picture, [](QColor c) { return near_color(c, rt::colormap_entry(63)); });
    const PixelSet far_face = pixels_where(picture, [](QColor c) { return near_color(c, rt::colormap_entry(0)); });
    EXPECT_GT(near_face.count, 1000);
    EXPECT_LT(far_face.count, 20);
}

}  // namespace
