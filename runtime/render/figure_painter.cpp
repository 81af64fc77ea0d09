#include "runtime/render/figure_painter.hpp"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>

#include "runtime/array/error.hpp"
#include "runtime/array/text.hpp"
#include "runtime/render/axes_painter.hpp"
#include "runtime/render/axes_projection.hpp"
#include "runtime/render/control_painter.hpp"
#include "runtime/render/paint_style.hpp"
#include "runtime/render/plot_painter.hpp"

namespace rt {

struct FigurePainter::AxesScene {
    const GraphicsObject* axes;
    AxesProjection proj;
    std::vector<const GraphicsObject*> objects;  // plotted, in creation order
    std::size_t stable = 0;                      // leading objects unchanged since the last paint
};

namespace {

using P = PropertyId;

// The largest picture of a window painted at its "Position": a stored
// position may be anything a user typed.
constexpr int kLargestSide = 8192;

// How many plotted objects a rebuild may paint before what they cost is
// known, when rebuilds are held back.
constexpr std::size_t kFewObjects = 16;

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
    for (PropertyId id :
         {P::Visible, P::Color, P::XGrid, P::YGrid, P::ZGrid, P::GridLineStyle, P::XColor, P::YColor, P::ZColor,
          P::DataAspectRatio, P::DataAspectRatioMode, P::PlotBoxAspectRatio, P::PlotBoxAspectRatioMode}) {
        append_value(key, axes.value(id));
    }
    return key;
}

using Clock = std::chrono::steady_clock;

void paint_controls(const GraphicsObject& figure, PaintControls controls, QSizeF device, QPainter& painter) {
    if (controls != PaintControls::Paint) return;
    for (const GraphicsObject* child : figure.children()) {
        if (child->type() == ObjectType::Uicontrol && !child->being_deleted()) paint_control(*child, device, painter);
    }
}

QColor figure_color(const GraphicsObject& figure) {
    return color_property(figure, P::Color).value_or(QColor(240, 240, 240));
}

}  // namespace

void FigurePainter::forget() {
    held_back_ = false;
    picture_ = QImage();
    frame_ = QImage();
    frame_whole_ = false;
    axes_.clear();
    figure_key_.clear();
}

std::size_t FigurePainter::paint_objects(const AxesScene& scene, std::size_t from, std::size_t to, QPainter& painter,
                                         Deadline deadline) {
    if (from >= to) return to;
    painter.save();
    if (!scene.proj.three_d()) painter.setClipRect(scene.proj.plot_box().adjusted(-1, -1, 1, 1), Qt::IntersectClip);
    std::size_t i = from;
    while (i < to) {
        paint_plot_object(*scene.objects[i++], scene.proj, painter);
        if (deadline != Clock::time_point::max() && Clock::now() >= deadline) break;
    }
    painter.restore();
    return i;
}

std::vector<FigurePainter::AxesScene> FigurePainter::collect(const GraphicsObject& figure, QSizeF device,
                                                             std::vector<AxesMemory>& memory) const {
    // The plotted objects of each axes and what they add to its limits; the
    // share of an object unchanged since the last paint is remembered.
    std::vector<AxesScene> scenes;
    for (const GraphicsObject* child : figure.children()) {
        if (child->type() != ObjectType::Axes || child->being_deleted()) continue;
        const std::size_t a = scenes.size();
        const AxesMemory* old = a < axes_.size() && axes_[a].handle == child->handle() ? &axes_[a] : nullptr;
        AxesMemory m;
        m.handle = child->handle();
        std::vector<const GraphicsObject*> objects;
        const GraphicsObject* title = title_of(*child);
        for (const GraphicsObject* obj : child->children()) {
            if (obj != title && !obj->being_deleted()) objects.push_back(obj);
        }
        m.last_seen.reserve(objects.size());
        m.ranges.reserve(objects.size());
        DataRanges data;
        std::size_t j = 0;  // objects keep their order, so the old list is walked once
        for (const GraphicsObject* obj : objects) {
            const Stamp stamp{obj->serial(), obj->version()};
            if (old) {
                while (j < old->last_seen.size() && old->last_seen[j].serial < stamp.serial) ++j;
            }
            const bool known = old && j < old->last_seen.size() && old->last_seen[j] == stamp;
            m.last_seen.push_back(stamp);
            m.ranges.push_back(known ? old->ranges[j] : data_ranges(*obj));
            data.add(m.ranges.back());
        }
        AxesScene s{child, AxesProjection(*child, limits_for(*child, data), device), std::move(objects), 0};
        // How much of the plotted objects is unchanged since the last paint.
        m.key = axes_key(*child, s.proj);
        if (old) {
            while (s.stable < m.last_seen.size() && s.stable < old->last_seen.size() &&
                   m.last_seen[s.stable] == old->last_seen[s.stable]) {
                ++s.stable;
            }
        }
        scenes.push_back(std::move(s));
        memory.push_back(std::move(m));
    }
    return scenes;
}

bool FigurePainter::picture_holds(QSize size, qreal ratio, const std::vector<double>& figure_key,
                                  const std::vector<AxesScene>& scenes, const std::vector<AxesMemory>& memory) const {
    if (picture_.isNull() || picture_.deviceIndependentSize() != QSizeF(size) || picture_.devicePixelRatio() != ratio ||
        axes_.size() != scenes.size() || figure_key != figure_key_) {
        return false;
    }
    // Each remembered axes still stands where it stood, and the objects in
    // the picture are all still there, unchanged.
    for (std::size_t a = 0; a < scenes.size(); ++a) {
        const AxesMemory& old = axes_[a];
        const AxesMemory& m = memory[a];
        if (old.handle != m.handle || old.key != m.key || old.cached.size() > scenes[a].stable ||
            !std::equal(old.cached.begin(), old.cached.end(), m.last_seen.begin())) {
            return false;
        }
    }
    return true;
}

void FigurePainter::add_to_picture(const std::vector<AxesScene>& scenes, std::vector<AxesMemory>& memory,
                                   Deadline deadline) {
    QPainter layer;
    for (std::size_t a = 0; a < scenes.size(); ++a) {
        const std::size_t have = axes_[a].cached.size();
        std::size_t done = have;
        if (have < scenes[a].stable) {
            if (!layer.isActive()) layer.begin(&picture_);
            done = paint_objects(scenes[a], have, scenes[a].stable, layer, deadline);
            objects_painted_ += done - have;
        }
        memory[a].cached.assign(memory[a].last_seen.begin(), memory[a].last_seen.begin() + done);
    }
}

void FigurePainter::repaint_picture(const GraphicsObject& figure, QSize size, qreal ratio,
                                    const std::vector<AxesScene>& scenes, std::vector<AxesMemory>& memory,
                                    Deadline deadline) {
    const int w = std::clamp(size.width(), 1, kLargestSide), h = std::clamp(size.height(), 1, kLargestSide);
    picture_ = QImage(QSize(w, h) * ratio, QImage::Format_RGB32);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(figure_color(figure));
    QPainter layer(&picture_);
    for (std::size_t a = 0; a < scenes.size(); ++a) {
        paint_axes_back(*scenes[a].axes, scenes[a].proj, layer);
        const std::size_t done = paint_objects(scenes[a], 0, scenes[a].stable, layer, deadline);
        objects_painted_ += done;
        memory[a].cached.assign(memory[a].last_seen.begin(), memory[a].last_seen.begin() + done);
    }
}

void FigurePainter::paint_overlay(QPainter& painter, const std::vector<AxesScene>& scenes, qreal ratio,
                                  Deadline deadline) {
    // The frame: the picture, the objects that are new since the last paint
    // over it, then each axes' front. It is painted apart so that it can be
    // shown again while a later picture is rebuilt.
    if (deadline == Clock::time_point::max()) {
        // Without a budget every paint is whole: no frame to keep (a
        // picture for a file, a benchmark).
        painter.drawImage(QPointF(0, 0), picture_);
        for (const AxesScene& s : scenes) {
            objects_painted_ += paint_objects(s, s.stable, s.objects.size(), painter, deadline) - s.stable;
            paint_axes_front(*s.axes, s.proj, painter);
        }
        complete_ = true;
        frame_ = QImage();
        frame_whole_ = false;
        return;
    }
    bool whole = true;
    for (std::size_t a = 0; a < scenes.size(); ++a) whole = whole && axes_[a].cached.size() == scenes[a].stable;
    const bool frame_fits = !frame_.isNull() && frame_.size() == picture_.size() && frame_.devicePixelRatio() == ratio;
    if (whole) {
        if (!frame_fits) {
            frame_ = QImage(picture_.size(), QImage::Format_RGB32);
            frame_.setDevicePixelRatio(ratio);
        }
        QPainter layer(&frame_);
        layer.drawImage(QPointF(0, 0), picture_);
        for (const AxesScene& s : scenes) {
            const std::size_t done = paint_objects(s, s.stable, s.objects.size(), layer, deadline);
            objects_painted_ += done - s.stable;
            whole = whole && done == s.objects.size();
            paint_axes_front(*s.axes, s.proj, layer);
        }
        // Out of time among the new objects: the frame is painted over and
        // no longer the last whole one.
        if (!whole) frame_whole_ = false;
    }
    complete_ = whole;
    if (whole) {
        frame_whole_ = true;
        painter.drawImage(QPointF(0, 0), frame_);
    } else if (frame_fits && frame_whole_) {
        painter.drawImage(QPointF(0, 0), frame_);
    } else {
        // Nothing whole to show at this size: show what there is.
        frame_whole_ = false;
        painter.drawImage(QPointF(0, 0), picture_);
        for (const AxesScene& s : scenes) paint_axes_front(*s.axes, s.proj, painter);
    }
}

bool FigurePainter::rebuild_exceeds(const std::vector<AxesScene>& scenes, std::chrono::nanoseconds budget) const {
    std::size_t objects = 0;
    for (const AxesScene& s : scenes) objects += s.objects.size();
    // Nothing known yet of what objects cost: more than a few may be costly.
    if (objects_timed_ == 0) return objects > kFewObjects;
    return painting_time_ / objects_timed_ * static_cast<std::int64_t>(objects) > budget;
}

bool FigurePainter::frame_shows(QSize size, qreal ratio) const {
    return frame_whole_ && !frame_.isNull() && frame_.deviceIndependentSize() == QSizeF(size) &&
           frame_.devicePixelRatio() == ratio;
}

bool FigurePainter::show_last_frame(QPainter& painter, QSize size) const {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    if (!frame_shows(size, ratio)) return false;
    painter.drawImage(QPointF(0, 0), frame_);
    return true;
}

void FigurePainter::paint(const GraphicsObject& figure, QPainter& painter, QSize size, PaintControls controls,
                          std::chrono::nanoseconds budget) {
    const Clock::time_point start = Clock::now();
    const Deadline deadline = budget == std::chrono::nanoseconds::max() ? Clock::time_point::max() : start + budget;
    objects_painted_ = 0;
    // A high-density screen paints more pixels per unit of position; the
    // picture keeps as many, so what is drawn over it matches.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;

    std::vector<AxesMemory> memory;
    const std::vector<AxesScene> scenes = collect(figure, QSizeF(size), memory);
    std::vector<double> fig_key;
    append_value(fig_key, figure.value(P::Color));
    const bool holds = picture_holds(size, ratio, fig_key, scenes, memory);
    held_back_ = !holds && hold_back_ && deadline != Clock::time_point::max() && frame_shows(size, ratio) &&
                 rebuild_exceeds(scenes, budget);
    if (held_back_) {
        // The picture and what it remembers stay as they are.
        complete_ = false;
        painter.drawImage(QPointF(0, 0), frame_);
        paint_controls(figure, controls, QSizeF(size), painter);
        return;
    }
    if (holds) {
        add_to_picture(scenes, memory, deadline);
    } else {
        repaint_picture(figure, size, ratio, scenes, memory, deadline);
    }
    figure_key_ = std::move(fig_key);
    axes_ = std::move(memory);

    paint_overlay(painter, scenes, ratio, deadline);
    paint_controls(figure, controls, QSizeF(size), painter);
    if (objects_painted_ > 0) {
        objects_timed_ += objects_painted_;
        painting_time_ += Clock::now() - start;
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
