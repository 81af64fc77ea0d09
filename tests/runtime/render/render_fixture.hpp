#pragma once
// A fresh graphics runtime for each rendering test, a Qt application for
// fonts (the offscreen platform under CTest), and ways to build the scenes
// the learning run draws and to look for colours in a picture.

#include "tests/common.hpp"

#include <QGuiApplication>
#include <QImage>
#include <QRectF>

#include "runtime/array/ops.hpp"
#include "runtime/call/library.hpp"
#include "runtime/graphics/graphics.hpp"
#include "tests/error_text.hpp"

namespace render_test {

inline void ensure_gui_application() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "render_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_gui_application();
        rt::array_library_initialize();
        rt::graphics_library_initialize();
    }
    void TearDown() override {
        rt::graphics_library_terminate();
        rt::array_library_terminate();
    }

    static rt::Value R(std::initializer_list<double> v) { return rt::Value::row(v); }
    static const rt::GraphicsObject& object(const rt::Value& h) { return *rt::find_object(h[0]); }
};

// A window set up as the learning run sets up its cart window; gives its handle.
inline double make_cart_window() {
    double h = rt::figure()[0];
    rt::axis(Value::row({-3, 3, 0, 1.5}));
    rt::set(rt::gca(), std::vector<Value>{Value::string("DataAspectRatio"), Value::row({1, 1, 1}),
                                          Value::string("PlotBoxAspectRatio"), Value::row({1, 1, 1})});
    rt::set(h, "Position", Value::row({10, 100, 500, 200}));
    rt::set(h, "DoubleBuffer", Value::string("on"));
    return h;
}

struct CartObjects {
    rt::Value cart, pole, marker;
};

// One step's drawing of the cart at x with the pole at theta and the push F.
inline CartObjects draw_cart(double x, double theta, double force) {
    const double half_pi = 1.5707963267948966;
    CartObjects o;
    o.cart = rt::rectangle(std::vector<Value>{Value::string("Position"), Value::row({x - 0.4, 0.1, 0.8, 0.1}),
                                              Value::string("facecolor"), Value::string("b")});
    o.pole =
        rt::line(Value::row({x, x + std::cos(half_pi - theta)}), Value::row({0.2, 0.2 + std::sin(half_pi - theta)}));
    rt::hold(Value::string("on"));
    o.marker = rt::plot(Value(force > 0 ? x - 0.4 : x + 0.4), Value(0.11), Value::string(force > 0 ? "r>" : "r<"));
    return o;
}

inline rt::Value filled(std::size_t rows, std::size_t cols, double v) {
    return rt::plus(rt::Value::zeros(rows, cols), rt::Value(v));
}

inline void erase(const CartObjects& o) {
    for (const rt::Value& h : {o.cart, o.pole, o.marker}) rt::delete_(h);
}

// A window placed and sized as the learning run's action-value window, its
// axes seen from (az, el).
inline double make_mesh_window(double az, double el) {
    const double h = rt::figure()[0];
    rt::set(h, "Position", rt::Value::row({510, 50, 400, 400}));
    rt::view(az, el);
    return h;
}

// Pixels of a picture that pass a test of their colour.
struct PixelSet {
    int count = 0;
    double sum_x = 0, sum_y = 0;
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    double centre_x() const { return sum_x / count; }
    QRectF bounds() const { return QRectF(left, top, right - left + 1, bottom - top + 1); }
};

inline PixelSet pixels_where(const QImage& image, const std::function<bool(QColor)>& test) {
    PixelSet s;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!test(image.pixelColor(x, y))) continue;
            ++s.count;
            s.sum_x += x;
            s.sum_y += y;
            s.left = std::min(s.left, x);
            s.right = std::max(s.right, x);
            s.top = std::min(s.top, y);
            s.bottom = std::max(s.bottom, y);
        }
    }
    return s;
}

inline bool is_blue(QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; }
inline bool is_red(QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }
inline bool is_dark(QColor c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; }

}  // namespace render_test
