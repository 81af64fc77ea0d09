#include "runtime/render/figure_painter.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "runtime/array/error.hpp"
#include "runtime/array/text.hpp"
#include "runtime/render/axes_painter.hpp"
#include "runtime/render/axes_projection.hpp"
#include "runtime/render/control_painter.hpp"
#include "runtime/render/paint_style.hpp"
#include "runtime/render/plot_painter.hpp"

namespace rt {

namespace {

using P = PropertyId;

// The largest picture of a window painted at its "Position": a stored
// position may be anything a user typed.
constexpr int kLargestSide = 8192;

void append_value(std::vector<double>& key, const Value& v) {
    key.push_back(static_cast<double>(v.class_id()));
    key.push_back(static_cast<double>(v.rows()));
    key.push_back(static_cast<double>(v.cols()));
    if (v.is_double() || v.is_char() || v.is_logical()) key.insert(key.end(), v.data(), v.data() + v.numel());
}

// Everything the remembered picture of an axes depends on besides its
// plotted objects.
std::vector<double> axes_key(const GraphicsObject& axes, const AxesProjection& proj) {
    std::vector<double> key;
    const QRectF pos = proj.position(), box = proj.plot_box();
    key.insert(key.end(), {pos.x(), pos.y(), pos.width(), pos.height(), box.x(), box.y(), box.width(), box.height(),
                           proj.azimuth(), proj.elevation()});
    const AxesLimits& l = proj.limits();
    key.insert(key.end(), {l.x[0], l.x[1], l.y[0], l.y[1], l.z[0], l.z[1], l.c[0], l.c[1]});
    for (PropertyId id : {P::Visible, P::Color, P::XGrid, P::YGrid, P::ZGrid, P::GridLineStyle, P::XColor, P::YColor,
                          P::ZColor, P::DataAspectRatio, P::DataAspectRatioMode, P::PlotBoxAspectRatio,
                          P::PlotBoxAspectRatioMode}) {
        append_value(key, axes.value(id));
    }
    return key;
}

struct AxesScene {
    const GraphicsObject* axes;
    AxesProjection proj;
    std::vector<const GraphicsObject*> objects;  // plotted, in creation order
    std::size_t stable = 0;                      // leading objects unchanged since the last paint
};

void paint_objects(const AxesScene& scene, std::size_t from, std::size_t to, QPainter& painter) {
    painter.save();
    if (!scene.proj.three_d()) painter.setClipRect(scene.proj.plot_box().adjusted(-1, -1, 1, 1), Qt::IntersectClip);
    for (std::size_t i = from; i < to; ++i) paint_plot_object(*scene.objects[i], scene.proj, painter);
    painter.restore();
}

QColor figure_color(const GraphicsObject& figure) {
    return color_property(figure, P::Color).value_or(QColor(240, 240, 240));
}

}  // namespace

void FigurePainter::forget() {
    picture_ = QImage();
    axes_.clear();
    figure_key_.clear();
}

void FigurePainter::paint(const GraphicsObject& figure, QPainter& painter, QSize size, PaintControls controls) {
    objects_painted_ = 0;
    const QSizeF device(size);
    std::vector<AxesScene> scenes;
    for (const GraphicsObject* child : figure.children()) {
        if (child->type() != ObjectType::Axes || child->being_deleted()) continue;
        AxesScene scene{child, AxesProjection(*child, effective_limits(*child), device), {}, 0};
        const GraphicsObject* title = title_of(*child);
        for (const GraphicsObject* obj : child->children()) {
            if (obj != title && !obj->being_deleted()) scene.objects.push_back(obj);
        }
        scenes.push_back(std::move(scene));
    }

    // Which remembered axes still stand where they stood, and how much of
    // their plotted objects is unchanged.
    std::vector<AxesMemory> memory(scenes.size());
    // A high-density screen paints more pixels per unit of position; the
    // picture keeps as many, so what is drawn over it matches.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    bool picture_valid = !picture_.isNull() && picture_.deviceIndependentSize() == QSizeF(size) &&
                         picture_.devicePixelRatio() == ratio && axes_.size() == scenes.size();
    std::vector<double> fig_key;
    append_value(fig_key, figure.value(P::Color));
    picture_valid = picture_valid && fig_key == figure_key_;
    for (std::size_t a = 0; a < scenes.size(); ++a) {
        AxesScene& s = scenes[a];
        AxesMemory& m = memory[a];
        m.handle = s.axes->handle();
        m.key = axes_key(*s.axes, s.proj);
        m.last_seen.reserve(s.objects.size());
        for (const GraphicsObject* obj : s.objects) m.last_seen.push_back({obj->serial(), obj->version()});
        const AxesMemory* old = a < axes_.size() && axes_[a].handle == m.handle ? &axes_[a] : nullptr;
        if (old) {
            while (s.stable < m.last_seen.size() && s.stable < old->last_seen.size() &&
                   m.last_seen[s.stable] == old->last_seen[s.stable]) {
                ++s.stable;
            }
        }
        const bool cache_holds = old && old->key == m.key && old->cached.size() <= s.stable &&
                                 std::equal(old->cached.begin(), old->cached.end(), m.last_seen.begin());
        picture_valid = picture_valid && cache_holds;
    }

    const int w = std::clamp(size.width(), 1, kLargestSide), h = std::clamp(size.height(), 1, kLargestSide);
    if (!picture_valid) {
        picture_ = QImage(QSize(w, h) * ratio, QImage::Format_RGB32);
        picture_.setDevicePixelRatio(ratio);
        picture_.fill(figure_color(figure));
        QPainter layer(&picture_);
        for (std::size_t a = 0; a < scenes.size(); ++a) {
            paint_axes_back(*scenes[a].axes, scenes[a].proj, layer);
            paint_objects(scenes[a], 0, scenes[a].stable, layer);
            objects_painted_ += scenes[a].stable;
            memory[a].cached.assign(memory[a].last_seen.begin(), memory[a].last_seen.begin() + scenes[a].stable);
        }
    } else {
        QPainter layer;
        for (std::size_t a = 0; a < scenes.size(); ++a) {
            const std::size_t have = axes_[a].cached.size();
            if (have < scenes[a].stable) {
                if (!layer.isActive()) layer.begin(&picture_);
                paint_objects(scenes[a], have, scenes[a].stable, layer);
                objects_painted_ += scenes[a].stable - have;
            }
            memory[a].cached.assign(memory[a].last_seen.begin(), memory[a].last_seen.begin() + scenes[a].stable);
        }
    }
    figure_key_ = std::move(fig_key);
    axes_ = std::move(memory);

    painter.drawImage(QPointF(0, 0), picture_);
    for (const AxesScene& s : scenes) {
        paint_objects(s, s.stable, s.objects.size(), painter);
        objects_painted_ += s.objects.size() - s.stable;
        paint_axes_front(*s.axes, s.proj, painter);
    }
    if (controls == PaintControls::Paint) {
        for (const GraphicsObject* child : figure.children()) {
            if (child->type() == ObjectType::Uicontrol && !child->being_deleted()) paint_control(*child, device, painter);
        }
    }
}

QImage render_figure(const GraphicsObject& figure) {
    const PixelRect r = pixel_position(figure);
    if (!(r.width <= kLargestSide && r.height <= kLargestSide)) {
        const auto size = [](double d) {
            char text[32];
            if (!std::isfinite(d)) return num2str(d);
            return std::string(text, std::to_chars(text, text + sizeof text, d, std::chars_format::general, 6).ptr);
        };
        raise("Figure " + num2str(figure.handle()) + " is " + size(r.width) + "-by-" + size(r.height) +
              " pixels: a picture can be at most " + std::to_string(kLargestSide) + " pixels wide and high.");
    }
    const int w = std::max(static_cast<int>(std::lround(r.width)), 1);
    const int h = std::max(static_cast<int>(std::lround(r.height)), 1);
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    FigurePainter().paint(figure, painter, QSize(w, h), PaintControls::Paint);
    return image;
}

}  // namespace rt
