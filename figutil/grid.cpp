#include "figutil/grid.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

#define GRID_CONSTANTS(X)                                                \
    X(kToggle, 0.0)                                                      \
    X(kOn, Value::string("on"))                                          \
    X(kOff, Value::string("off"))                                        \
    X(kXGrid, Value::string("XGrid"))                                    \
    X(kYGrid, Value::string("YGrid"))                                    \
    X(kZGrid, Value::string("ZGrid"))                                    \
    X(kType, Value::string("type"))                                      \
    X(kAxes, Value::string("axes"))                                      \
    X(kNotAxes, Value::string("First argument must be an axes handle.")) \
    X(kNotScalar, Value::string("Axes handle must be a scalar"))         \
    X(kUnknownOption, Value::string("Unknown command option."))

enum Constant : std::size_t { GRID_CONSTANTS(SYS_CONSTANT_NAME) };

Constants<Constant, grid_module> constants;

const rt::Value& K(Constant c) { return constants[c]; }

void set_all(const rt::Value& ax, const rt::Value& state) {
    for (Constant grid : {kXGrid, kYGrid, kZGrid}) rt::set(ax.scalar(), K(grid).text(), state);
}

void body(const rt::Value& arg1_in, const rt::Value& arg2_in) {
    using namespace rt;
    BodyFrame frame(grid_module.name(), &grid_module.locals, 0);
    const Value given_inputs[] = {arg1_in, arg2_in};
    const int n = rt::nargin(2, given_inputs);
    Value ax;
    Value opt_grid = K(kToggle);

    if (n == 0) {
        ax = gca();
    } else {
        const Value& arg1 = require_input(arg1_in, "arg1");
        if (isempty(arg1)) opt_grid = lower(arg1);
        if (ischar(arg1)) {
            if (n == 2) error(K(kNotAxes));
            ax = gca();
            opt_grid = lower(arg1);
        } else {
            if (length_int(arg1) > 1) error(K(kNotScalar));
            if (!tobool(ishandle(arg1))) error(K(kNotAxes));
            if (!strcmp_bool(get(arg1, K(kType)), K(kAxes))) error(K(kNotAxes));
            ax = arg1;
            if (n == 2) opt_grid = lower(require_input(arg2_in, "arg2"));
        }
    }

    if (isempty(opt_grid)) error(K(kUnknownOption));
    if (eq_bool(opt_grid, K(kToggle))) {
        for (Constant grid : {kXGrid, kYGrid, kZGrid}) {
            const bool was_off = strcmp_bool(get(ax, K(grid)), K(kOff));
            set(ax.scalar(), K(grid).text(), was_off ? K(kOn) : K(kOff));
        }
    } else if (strcmp_bool(opt_grid, K(kOn))) {
        set_all(ax, K(kOn));
    } else if (strcmp_bool(opt_grid, K(kOff))) {
        set_all(ax, K(kOff));
    } else {
        error(K(kUnknownOption));
    }
}

}  // namespace

void grid(rt::Value arg1, rt::Value arg2) { body(arg1, arg2); }

void entry_grid(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    body(call.input(1), call.input(2));
    call.finish();
}

void grid_initialize() {
    using rt::Value;
    constants.create({GRID_CONSTANTS(SYS_CONSTANT_VALUE)});
}

void grid_terminate() { constants.release(); }

}  // namespace sys
