#include "figutil/movegui.hpp"

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/library.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

#define MOVEGUI_CONSTANTS(X)                                                                                       \
    X(kNorth, Value::string("north"))                                                                              \
    X(kSouth, Value::string("south"))                                                                              \
    X(kEast, Value::string("east"))                                                                                \
    X(kWest, Value::string("west"))                                                                                \
    X(kNortheast, Value::string("northeast"))                                                                      \
    X(kSoutheast, Value::string("southeast"))                                                                      \
    X(kNorthwest, Value::string("northwest"))                                                                      \
    X(kSouthwest, Value::string("southwest"))                                                                      \
    X(kCenter, Value::string("center"))                                                                            \
    X(kOnscreen, Value::string("onscreen"))                                                                        \
    X(kPositions, texts_row({"north", "south", "east", "west", "northeast", "southeast", "northwest", "southwest", \
                             "center", "onscreen"}))                                                               \
    X(kEmptyText, Value::string(""))                                                                               \
    X(kEmpty, Value::empty())                                                                                      \
    X(kRoot, 0.0)                                                                                                  \
    X(kOneElement, 1.0)                                                                                            \
    X(kTwoElements, 2.0)                                                                                           \
    X(kWidthIndex, 3.0)                                                                                            \
    X(kHeightIndex, 4.0)                                                                                           \
    X(kFrameWidth, 6.0)                                                                                            \
    X(kFrameHeight, 24.0)                                                                                          \
    X(kOrigin, Value::row({0, 0}))                                                                                 \
    X(kActivePositionProperty, Value::string("activepositionproperty"))                                            \
    X(kUnits, Value::string("units"))                                                                              \
    X(kPosition, Value::string("position"))                                                                        \
    X(kOuterPosition, Value::string("outerposition"))                                                              \
    X(kScreenSize, Value::string("screensize"))                                                                    \
    X(kType, Value::string("type"))                                                                                \
    X(kParent, Value::string("parent"))                                                                            \
    X(kPixels, Value::string("pixels"))                                                                            \
    X(kFigure, Value::string("figure"))                                                                            \
    X(kNotInAWindow, Value::string("handle of figure or descendant required"))                                     \
    X(kUnrecognizedPosition, Value::string("unrecognized position"))                                               \
    X(kUnrecognizedInput, Value::string("unrecognized input argument"))

enum Constant : std::size_t {
    MOVEGUI_CONSTANTS(SYS_CONSTANT_NAME)
    // One slot, several meanings.
    kFewestInputs = kRoot,              // 0
    kScreenEdge = kRoot,                // 0
    kLeftIndex = kOneElement,           // 1
    kBottomIndex = kTwoElements,        // 2
    kEventDataArgument = kTwoElements,  // 2
    kHalves = kTwoElements,             // 2
    kMostInputs = kWidthIndex,          // 3
};

Constants<Constant, movegui_module> constants;

const rt::Value& K(Constant c) { return constants[c]; }
double D(Constant c) { return constants[c][0]; }

// The window at or above `h`, or [] once the walk passes the root.
rt::Value get_parent_fig_body(int nargout, const rt::Value& h_in) {
    using namespace rt;
    BodyFrame frame("movegui/get_parent_fig", &movegui_locals, nargout);
    Value h = require_input(h_in, "h");
    while (!isempty(h) && !strcmp_bool(get(h, K(kType)), K(kFigure))) h = get(h, K(kParent));
    frame.check_output(h, 1, "h");
    return h;
}

rt::Value get_parent_fig(const rt::Value& h) { return get_parent_fig_body(1, h); }

// A one-output query of the library called by name, as a callback's
// arguments are examined.
rt::Value ask(rt::ByNameEntry entry, const rt::Value& v) { return rt::feval_entry(entry, 1, {&v, 1})[0]; }

bool is_handle_of_deleted(const rt::Value& v) {
    return (v.is_double() || v.is_logical()) && v.numel() == 1 && rt::is_deleted_handle(v[0]);
}

bool is_named(const rt::Value& position, Constant name) { return rt::strcmp_bool(position, K(name)); }

// The window to move and the place to move it to.
struct Request {
    rt::Value fig;
    rt::Value position;
};

// Every input is classified before anything on the screen changes; what is
// not given is the caller's (or else the current) window, kept on screen.
Request classify_inputs(const rt::Value& varargin) {
    using namespace rt;
    const double n = static_cast<double>(varargin.numel());
    error(nargchk(D(kFewestInputs), D(kMostInputs), n));
    Value position = K(kEmptyText);
    Value fig = K(kEmpty);
    for (std::size_t i = 1; i <= varargin.numel(); ++i) {
        const Value& arg = varargin.cell_at(i - 1);
        const Value numel = prod(ask(entry_size, arg));
        if (tobool(ask(entry_ishandle, arg)) && eq_bool(numel, K(kOneElement))) {
            fig = get_parent_fig(arg);
            if (isempty(fig)) error(K(kNotInAWindow));
        } else if (tobool(ask(entry_isstr, arg))) {
            position = arg;
            if (isempty(strmatch(position, K(kPositions), true))) error(K(kUnrecognizedPosition));
        } else if (tobool(ask(entry_isnumeric, arg)) && eq_bool(numel, K(kTwoElements))) {
            position = arg;
        } else if (!isempty(gcbo()) && static_cast<double>(i) == D(kEventDataArgument)) {
            // The event data of a callback.
        } else {
            // A window or control that has been deleted is not just any number.
            if (is_handle_of_deleted(arg))
                raise("movegui: " + num2str(arg[0]) + " is not a valid handle; its object has been deleted.");
            error(K(kUnrecognizedInput));
        }
    }

    if (isempty(fig)) {
        fig = gcbf();
        if (isempty(fig)) fig = gcf();
    }
    if (isempty(position)) position = K(kOnscreen);
    return {std::move(fig), std::move(position)};
}

// The new outer rectangle of a window whose inner and outer rectangles are
// `inpos` and `oldpos`, on a screen of `screensize`, all in pixels.
rt::Value place_for(const rt::Value& position, const rt::Value& inpos, const rt::Value& oldpos,
                    const rt::Value& screensize) {
    using namespace rt;
    const double swidth = array_ref1(screensize, D(kWidthIndex));
    const double sheight = array_ref1(screensize, D(kHeightIndex));
    double fwidth = std::min(array_ref1(oldpos, D(kWidthIndex)), swidth);
    double fheight = std::min(array_ref1(oldpos, D(kHeightIndex)), sheight);

    // The new left and bottom of the outer rectangle.
    const double free_width = swidth - fwidth;
    const double free_height = sheight - fheight;
    double left = 0, bottom = 0;
    if (position.is_double()) {
        left = array_ref1(position, D(kLeftIndex));
        bottom = array_ref1(position, D(kBottomIndex));
        if (left < 0) left = free_width + left;
        if (bottom < 0) bottom = free_height + bottom;
    } else if (is_named(position, kNorth)) {
        left = free_width / D(kHalves);
        bottom = free_height;
    } else if (is_named(position, kSouth)) {
        left = free_width / D(kHalves);
        bottom = D(kScreenEdge);
    } else if (is_named(position, kEast)) {
        left = free_width;
        bottom = free_height / D(kHalves);
    } else if (is_named(position, kWest)) {
        left = D(kScreenEdge);
        bottom = free_height / D(kHalves);
    } else if (is_named(position, kNortheast)) {
        left = free_width;
        bottom = free_height;
    } else if (is_named(position, kSoutheast)) {
        left = free_width;
        bottom = D(kScreenEdge);
    } else if (is_named(position, kNorthwest)) {
        left = D(kScreenEdge);
        bottom = free_height;
    } else if (is_named(position, kSouthwest)) {
        left = D(kScreenEdge);
        bottom = D(kScreenEdge);
    } else if (is_named(position, kCenter)) {
        left = free_width / D(kHalves);
        bottom = free_height / D(kHalves);
    } else if (is_named(position, kOnscreen)) {
        const Value corner = min(max(array_ref1(oldpos, colon(D(kLeftIndex), D(kBottomIndex))), K(kOrigin)),
                                 Value::row({free_width, free_height}));
        left = corner[0];
        bottom = corner[1];
    } else {
        // A text that matched a name only by its shape (a column, say)
        // names no place.
        error(K(kUnrecognizedPosition));
    }
    Value newpos = Value::row({left, bottom});
    if (is_named(position, kNorth)) print_array(newpos, "newpos");

    // The outer size; a reported outer rectangle smaller than the inner
    // one in both directions is taken to lack the frame, which is added back
    // after the place was computed.
    if (array_ref1(inpos, D(kWidthIndex)) > array_ref1(oldpos, D(kWidthIndex)) &&
        array_ref1(inpos, D(kHeightIndex)) > array_ref1(oldpos, D(kHeightIndex))) {
        fwidth = fwidth + D(kFrameWidth);
        fheight = fheight + D(kFrameHeight);
    }
    array_assign1(newpos, colon(D(kWidthIndex), D(kHeightIndex)), Value::row({fwidth, fheight}));
    return newpos;
}

// Reads the window's geometry in pixels, moves it to its new place, and puts
// its units and position mode back.
void move_window(const Request& request) {
    using namespace rt;
    const Value& fig = request.fig;
    // Pending drawing first, so the geometry read is the window's latest.
    drawnow();
    const Value oldposmode = get(fig, K(kActivePositionProperty));
    const Value oldfunits = get(fig, K(kUnits));
    set(fig.scalar(), K(kUnits).text(), K(kPixels));
    const Value inpos = get(fig, K(kPosition));
    const Value oldpos = get(fig, K(kOuterPosition));
    const Value old0units = get(K(kRoot), K(kUnits));
    set(D(kRoot), K(kUnits).text(), K(kPixels));
    const Value screensize = get(K(kRoot), K(kScreenSize));
    set(D(kRoot), K(kUnits).text(), old0units);

    set(fig.scalar(), K(kOuterPosition).text(), place_for(request.position, inpos, oldpos, screensize));
    set(fig.scalar(), K(kUnits).text(), oldfunits);
    set(fig.scalar(), K(kActivePositionProperty).text(), oldposmode);
}

void body(const rt::Value& varargin) {
    rt::BodyFrame frame("movegui", &movegui_locals, 0);
    move_window(classify_inputs(varargin));
}

}  // namespace

void movegui(std::span<const rt::Value> inputs) {
    std::size_t given = 0;
    while (given < inputs.size() && !inputs[given].is_absent()) ++given;
    body(rt::create_varargin_cell(static_cast<int>(given), inputs.data(), 0));
}

void entry_movegui(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    body(call.varargin());
    call.finish();
}

void entry_movegui_get_parent_fig(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(1), nargout, outputs, nargin, inputs);
    call.finish(get_parent_fig_body(call.nargout(), call.input(1)));
}

void movegui_initialize() {
    using rt::Value;
    constants.create({MOVEGUI_CONSTANTS(SYS_CONSTANT_VALUE)});
}

void movegui_terminate() { constants.release(); }

}  // namespace sys
