#include "figutil/guihandles.hpp"

#include "figutil/isvarname.hpp"
#include "runtime/array/cellstruct.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

#define GUIHANDLES_CONSTANTS(X)                                                             \
    X(kNotAHandle, Value::string("H must be the handle to a figure or figure descendent.")) \
    X(kType, Value::string("type"))                                                         \
    X(kParent, Value::string("parent"))                                                     \
    X(kTag, Value::string("tag"))                                                           \
    X(kFigure, Value::string("figure"))                                                     \
    X(kEmpty, Value::empty())

enum Constant : std::size_t { GUIHANDLES_CONSTANTS(SYS_CONSTANT_NAME) };

Constants<Constant, guihandles_module> constants;

const rt::Value& K(Constant c) { return constants[c]; }

// The window at or above `fig`, or [] once the walk passes the root.
rt::Value get_parent_figure_body(int nargout, const rt::Value& fig_in) {
    using namespace rt;
    BodyFrame frame(guihandles_functions[1].name, &guihandles_module.locals, nargout);
    Value fig = require_input(fig_in, "fig");
    while (!isempty(fig) && !strcmp_bool(K(kFigure), get(fig, K(kType)))) fig = get(fig, K(kParent));
    frame.check_output(fig, 1, "fig");
    return fig;
}

rt::Value create_handles_body(int nargout, const rt::Value& fig_in) {
    using namespace rt;
    BodyFrame frame(guihandles_functions[2].name, &guihandles_module.locals, nargout);
    const Value& fig = require_input(fig_in, "fig");
    Value handles = K(kEmpty);
    const Value all_h = findall(fig);
    const Value in_order = ctranspose(all_h);
    for (std::size_t i = 0; i < in_order.numel(); ++i) {
        const Value this_h(in_order[i]);
        const Value tag = get(this_h, K(kTag));
        if (!isempty(tag) && tobool(isvarname(tag))) {
            const Value prev_h = isfield(handles, tag) ? getfield(handles, tag) : K(kEmpty);
            handles = setfield(handles, tag, horzcat(prev_h, this_h));
        }
    }
    frame.check_output(handles, 1, "handles");
    return handles;
}

rt::Value getParentFigure(const rt::Value& fig) { return get_parent_figure_body(1, fig); }
rt::Value createHandles(const rt::Value& fig) { return create_handles_body(1, fig); }

rt::Value body(int nargout, const rt::Value& h_in) {
    using namespace rt;
    BodyFrame frame(guihandles_module.name(), &guihandles_module.locals, nargout);
    Value handles, fig;
    if (rt::nargin(1, &h_in) == 0) {
        fig = gcf();
    } else {
        const Value& h = require_input(h_in, "h");
        fig = K(kEmpty);
        if (tobool(ishandle(h)) && length_int(h) == 1) fig = getParentFigure(h);
        if (isempty(fig)) error(K(kNotAHandle));
    }
    handles = createHandles(fig);
    frame.check_output(handles, 1, "handles");
    return handles;
}

}  // namespace

rt::Value guihandles(rt::Value h) { return body(1, h); }

void entry_guihandles(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1)));
}

void entry_guihandles_getParentFigure(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(1), nargout, outputs, nargin, inputs);
    call.finish(get_parent_figure_body(call.nargout(), call.input(1)));
}

void entry_guihandles_createHandles(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(2), nargout, outputs, nargin, inputs);
    call.finish(create_handles_body(call.nargout(), call.input(1)));
}

void guihandles_initialize() {
    using rt::Value;
    constants.create({GUIHANDLES_CONSTANTS(SYS_CONSTANT_VALUE)});
}

void guihandles_terminate() { constants.release(); }

}  // namespace sys
