#include "figutil/guidata.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

rt::ModuleConstants constants("guidata");

enum Constant : std::size_t {
    kOutputsMessage,
    kInputsMessage,
    kParentOutputsMessage,
    kParentInputsMessage,
    kPropName,
    kNotAHandle,
    kType,
    kParent,
    kFigure,
    k0,
    k1,
    k2,
    kEmpty,
};

const rt::Value& K(Constant c) { return constants[c]; }

// The window at or above `fig`, or [] once the walk passes the root.
rt::Value get_parent_figure_body(int nargout, const rt::Value& fig_in) {
    using namespace rt;
    BodyFrame frame("guidata/getParentFigure", &guidata_locals, nargout);
    Value fig = require_input(fig_in, "fig");
    while (!isempty(fig) && !strcmp_bool(K(kFigure), get(fig, K(kType)))) fig = get(fig, K(kParent));
    frame.check_output(fig, 1, "fig");
    return fig;
}

rt::Value getParentFigure(const rt::Value& fig) { return get_parent_figure_body(1, fig); }

rt::Value body(int nargout, const rt::Value& h_in, const rt::Value& data_in_in) {
    using namespace rt;
    BodyFrame frame("guidata", &guidata_locals, nargout);
    Value data, fig, PROP_NAME;
    const Value given_inputs[] = {h_in, data_in_in};
    const Value nargin_value(static_cast<double>(rt::nargin(2, given_inputs)));

    error(nargchk(K(k1)[0], K(k2)[0], nargin_value[0]));
    // The store gives nothing, and says so before anything is looked up.
    if (eq_bool(nargin_value, K(k2))) error(nargoutchk(K(k0)[0], K(k0)[0], nargout));

    PROP_NAME = K(kPropName);
    fig = K(kEmpty);
    const Value& h = require_input(h_in, "h");
    if (tobool(ishandle(h)) && length_int(h) == K(k1)[0]) fig = getParentFigure(h);
    if (isempty(fig)) error(K(kNotAHandle));

    if (eq_bool(nargin_value, K(k1))) data = getappdata(fig, PROP_NAME);
    else setappdata(fig, PROP_NAME, require_input(data_in_in, "data_in"));

    frame.check_output(data, 1, "data");
    return data;
}

}  // namespace

rt::Value guidata(int nargout, rt::Value h, rt::Value data_in) { return body(nargout, h, data_in); }

void entry_guidata(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call({"guidata", 2, 1, &constants[kOutputsMessage], &constants[kInputsMessage]}, nargout, outputs,
                        nargin, inputs);
    call.finish(body(call.nargout(), call.input(1), call.input(2)));
}

void entry_guidata_getParentFigure(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call({"guidata/getParentFigure", 1, 1, &constants[kParentOutputsMessage],
                         &constants[kParentInputsMessage]},
                        nargout, outputs, nargin, inputs);
    call.finish(get_parent_figure_body(call.nargout(), call.input(1)));
}

void guidata_initialize() {
    using rt::ArityKind;
    constants.add(rt::Value::string(rt::arity_message("guidata", 1, ArityKind::Outputs, 1)));
    constants.add(rt::Value::string(rt::arity_message("guidata", 1, ArityKind::Inputs, 2)));
    constants.add(rt::Value::string(rt::arity_message("guidata/getParentFigure", 99, ArityKind::Outputs, 1)));
    constants.add(rt::Value::string(rt::arity_message("guidata/getParentFigure", 99, ArityKind::Inputs, 1)));
    constants.add(rt::Value::string("UsedByGUIData_m"));
    constants.add(rt::Value::string("H must be the handle to a figure or figure descendent."));
    constants.add(rt::Value::string("type"));
    constants.add(rt::Value::string("parent"));
    constants.add(rt::Value::string("figure"));
    constants.add(rt::Value(0.0));
    constants.add(rt::Value(1.0));
    constants.add(rt::Value(2.0));
    constants.add(rt::Value::empty());
}

void guidata_terminate() { constants.release(); }

}  // namespace sys
