#include "figutil/guidata.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

#define GUIDATA_CONSTANTS(X)                                                                \
    X(kPropName, Value::string("UsedByGUIData_m"))                                          \
    X(kNotAHandle, Value::string("H must be the handle to a figure or figure descendent.")) \
    X(kType, Value::string("type"))                                                         \
    X(kParent, Value::string("parent"))                                                     \
    X(kFigure, Value::string("figure"))                                                     \
    X(kNoOutputs, 0.0)                                                                      \
    X(kFetchInputs, 1.0)                                                                    \
    X(kStoreInputs, 2.0)                                                                    \
    X(kEmpty, Value::empty())

enum Constant : std::size_t {
    GUIDATA_CONSTANTS(SYS_CONSTANT_NAME)
    // One slot, two meanings.
    kOneHandle = kFetchInputs,  // 1: also the count of handles h may hold
};

Constants<Constant, guidata_module> constants;

const rt::Value& K(Constant c) { return constants[c]; }

// The window at or above `fig`, or [] once the walk passes the root.
rt::Value get_parent_figure_body(int nargout, const rt::Value& fig_in) {
    using namespace rt;
    BodyFrame frame(guidata_functions[1].name, &guidata_module.locals, nargout);
    Value fig = require_input(fig_in, "fig");
    while (!isempty(fig) && !strcmp_bool(K(kFigure), get(fig, K(kType)))) fig = get(fig, K(kParent));
    frame.check_output(fig, 1, "fig");
    return fig;
}

rt::Value getParentFigure(const rt::Value& fig) { return get_parent_figure_body(1, fig); }

rt::Value body(int nargout, const rt::Value& h_in, const rt::Value& data_in_in) {
    using namespace rt;
    BodyFrame frame(guidata_module.name(), &guidata_module.locals, nargout);
    Value data, fig, PROP_NAME;
    const Value given_inputs[] = {h_in, data_in_in};
    const Value nargin_value(static_cast<double>(rt::nargin(2, given_inputs)));

    error(nargchk(K(kFetchInputs)[0], K(kStoreInputs)[0], nargin_value[0]));
    // The store gives nothing, and says so before anything is looked up.
    if (eq_bool(nargin_value, K(kStoreInputs))) error(nargoutchk(K(kNoOutputs)[0], K(kNoOutputs)[0], nargout));

    PROP_NAME = K(kPropName);
    fig = K(kEmpty);
    const Value& h = require_input(h_in, "h");
    if (tobool(ishandle(h)) && length_int(h) == K(kOneHandle)[0]) fig = getParentFigure(h);
    if (isempty(fig)) error(K(kNotAHandle));

    if (eq_bool(nargin_value, K(kFetchInputs))) data = getappdata(fig, PROP_NAME);
    else setappdata(fig, PROP_NAME, require_input(data_in_in, "data_in"));

    frame.check_output(data, 1, "data");
    return data;
}

}  // namespace

rt::Value guidata(int nargout, rt::Value h, rt::Value data_in) { return body(nargout, h, data_in); }

void entry_guidata(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1), call.input(2)));
}

void entry_guidata_getParentFigure(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(1), nargout, outputs, nargin, inputs);
    call.finish(get_parent_figure_body(call.nargout(), call.input(1)));
}

void guidata_initialize() {
    using rt::Value;
    constants.create({GUIDATA_CONSTANTS(SYS_CONSTANT_VALUE)});
}

void guidata_terminate() { constants.release(); }

}  // namespace sys
