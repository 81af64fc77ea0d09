#pragma once
// Paints a whole figure with QPainter into any paint device: the figure's
// colour, then each axes (background, plotted objects in creation order,
// box, ticks and title), then, when asked, its uicontrols.
//
// A FigurePainter kept for a window remembers a picture of what did not
// change since its last paint: each axes' background with the plotted
// objects that were already there and unchanged at the last paint. While
// the window's size, the axes' placement, limits, view and look stay the
// same, a repaint draws that picture and paints only the objects that are
// new or changed over it; so a mesh window that gains two surfaces per
// failure repaints two surfaces, not all of them. It also keeps what each
// object adds to the automatic limits, so a repaint reads the data of new
// and changed objects only.
//
// A paint may be given a time budget: it then stops painting objects when
// the budget is spent (having painted at least one of each axes' objects it
// owes) and complete() turns false; the next paints carry on where it
// stopped. Until the picture is whole again, an unfinished paint shows the
// last whole frame when the size is unchanged, else what it has so far. So
// no paint holds the event loop long, however many objects a window holds.
//
// A painter may also be told to hold back long rebuilds (for a window of a
// program running flat out): a paint that would have to paint the picture
// afresh, and by what its objects have cost so far could not finish within
// its budget, then shows the last whole frame and stays incomplete, without
// starting a picture it could not show before the scene changes again.
// Until it knows what objects cost, it holds back a rebuild of more than a
// few objects.

#include <chrono>
#include <cstdint>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QSizeF>

#include "runtime/graphics/data_ranges.hpp"
#include "runtime/graphics/graphics_object.hpp"

namespace rt {

enum class PaintControls { Skip, Paint };

class FigurePainter {
public:
    // Paints `figure` over the whole of `painter`'s device, whose size in
    // device-independent pixels is `size`. The objects must not change
    // during the call.
    // During the call it paints for about `budget` at most, see above.
    void paint(const GraphicsObject& figure, QPainter& painter, QSize size, PaintControls controls,
               std::chrono::nanoseconds budget = std::chrono::nanoseconds::max());
    // Paints the last whole frame again, when there is one of this size
    // (from a paint with a budget): what a window shows when the window
    // system asks for a part of it uncovered. False, painting nothing, when
    // there is none.
    bool show_last_frame(QPainter& painter, QSize size) const;
    // Drops the remembered picture.
    void forget();
    // False when the last paint ran out of its budget before painting all.
    bool complete() const noexcept { return complete_; }
    // Whether paints hold back long rebuilds (see above); off at first.
    void hold_back_long_rebuilds(bool hold) noexcept { hold_back_ = hold; }
    // Whether the last paint held a rebuild back.
    bool rebuild_held_back() const noexcept { return held_back_; }

    // For tests and benchmarks: how many plotted objects the last paint
    // painted (into the picture or over it).
    std::size_t objects_painted() const noexcept { return objects_painted_; }

private:
    struct Stamp {
        std::uint64_t serial, version;
        bool operator==(const Stamp&) const = default;
    };
    struct AxesMemory {
        double handle = 0;
        std::vector<Stamp> cached;       // the objects in the picture, in order
        std::vector<Stamp> last_seen;    // the objects at the last paint
        std::vector<DataRanges> ranges;  // what each of them adds to the limits
        std::vector<double> key;         // placement, limits, view and look
    };

    struct AxesScene;  // an axes with its plotted objects, for one paint
    using Deadline = std::chrono::steady_clock::time_point;

    // The axes of `figure` with their plotted objects, and what is to be
    // remembered of them (`memory`, one per axes).
    std::vector<AxesScene> collect(const GraphicsObject& figure, QSizeF device, std::vector<AxesMemory>& memory) const;
    // Whether the remembered picture can be painted on: same size, colour,
    // axes, and only objects added since it was painted.
    bool picture_holds(QSize size, qreal ratio, const std::vector<double>& figure_key,
                       const std::vector<AxesScene>& scenes, const std::vector<AxesMemory>& memory) const;
    // The picture holds: paints into it the objects unchanged since the
    // last paint that it still lacks.
    void add_to_picture(const std::vector<AxesScene>& scenes, std::vector<AxesMemory>& memory, Deadline deadline);
    // The picture does not hold: paints it afresh, the figure's colour, each
    // axes' background and its objects unchanged since the last paint.
    void repaint_picture(const GraphicsObject& figure, QSize size, qreal ratio, const std::vector<AxesScene>& scenes,
                         std::vector<AxesMemory>& memory, Deadline deadline);
    // Shows the picture with the new objects and each axes' front over it.
    void paint_overlay(QPainter& painter, const std::vector<AxesScene>& scenes, qreal ratio, Deadline deadline);
    // Whether a fresh picture of `scenes` would take more than `budget`,
    // by the time painted objects have taken so far.
    bool rebuild_exceeds(const std::vector<AxesScene>& scenes, std::chrono::nanoseconds budget) const;
    // The last whole frame can stand for a paint at this size.
    bool frame_shows(QSize size, qreal ratio) const;
    // Paints objects from..to-1 of `scene` and gives the index it stopped
    // at: `to`, or earlier when the deadline passed (after one object at
    // least, so that successive paints always get on).
    static std::size_t paint_objects(const AxesScene& scene, std::size_t from, std::size_t to, QPainter& painter,
                                     Deadline deadline);

    QImage picture_;
    QImage frame_;  // the last whole frame, shown while the picture is rebuilt
    bool frame_whole_ = false;
    bool complete_ = true;
    bool hold_back_ = false, held_back_ = false;
    // Objects painted and the time their paints took, for the estimates.
    std::size_t objects_timed_ = 0;
    std::chrono::nanoseconds painting_time_{0};
    std::vector<AxesMemory> axes_;
    std::vector<double> figure_key_;
    std::size_t objects_painted_ = 0;
};

// A fresh picture of the figure at the size of its "Position", uicontrols
// included. Needs a QGuiApplication (fonts). Raises for a size that cannot be
// painted (beyond 8192 pixels a side, or not a number) rather than paint
// part of it.
QImage render_figure(const GraphicsObject& figure);

}  // namespace rt
