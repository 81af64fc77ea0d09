#include "figutil/openfig.hpp"

#include <algorithm>

#include "figutil/movegui.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

rt::ModuleConstants constants("openfig");

enum Constant : std::size_t {
    kOutputsMessage,
    kInputsMessage,
    kNew,
    kReuse,
    kFigExt,
    kTokenSuffix,
    k31,
    kRoot,
    k1,
    k2,
    kOnscreen,
    kVisible,
    kOn,
    kNotAFigFile,
    kBadPolicy,
};

const rt::Value& K(Constant c) { return constants[c]; }

rt::Value body(int nargout, const rt::Value& filename_in, const rt::Value& policy_in) {
    using namespace rt;
    BodyFrame frame("openfig", &openfig_locals, nargout);
    Value fig, path, name, ext, TOKEN, figs;
    const Value given_inputs[] = {filename_in, policy_in};
    const int nargin = rt::nargin(2, given_inputs);
    error(nargchk(K(k1)[0], K(k2)[0], nargin));

    Value filename = require_input(filename_in, "filename");
    const Value policy = nargin == 1 ? K(kNew) : require_input(policy_in, "policy");

    fileparts(filename, path, name, ext);
    if (isempty(ext)) ext = K(kFigExt);
    else if (!isequal(ext, K(kFigExt))) error(K(kNotAFigFile));
    filename = fullfile({path, horzcat(name, ext)});

    TOKEN = horzcat(name, K(kTokenSuffix));
    TOKEN = array_ref1(TOKEN, colon(K(k1)[0], std::min(length_int(TOKEN), K(k31)[0])));

    figs = getappdata(K(kRoot), TOKEN);
    figs = array_ref1(figs, ishandle(figs));

    if (strcmp_bool(policy, K(kNew))) {
        fig = load_layout(filename);
        array_assign1(figs, plus(Value(static_cast<double>(figs.numel())), K(k1)), fig);
    } else if (strcmp_bool(policy, K(kReuse))) {
        if (isempty(figs)) figs = load_layout(filename);
        fig = array_ref1(figs, Value(static_cast<double>(figs.numel())));
    } else {
        error(K(kBadPolicy));
    }

    setappdata(K(kRoot), TOKEN, figs);
    movegui({fig, K(kOnscreen)});
    if (isequal(get(fig, K(kVisible)), K(kOn))) {
        const Value window[] = {fig};
        figure(window);
    }

    frame.check_output(fig, 1, "fig");
    return fig;
}

}  // namespace

rt::Value openfig(rt::Value filename, rt::Value policy) { return body(1, filename, policy); }

void entry_openfig(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call({"openfig", 2, 1, &constants[kOutputsMessage], &constants[kInputsMessage]}, nargout, outputs,
                        nargin, inputs);
    call.finish(body(call.nargout(), call.input(1), call.input(2)));
}

void openfig_initialize() {
    using rt::ArityKind;
    constants.add(rt::Value::string(rt::arity_message("openfig", 1, ArityKind::Outputs, 1)));
    constants.add(rt::Value::string(rt::arity_message("openfig", 1, ArityKind::Inputs, 2)));
    constants.add(rt::Value::string("new"));
    constants.add(rt::Value::string("reuse"));
    constants.add(rt::Value::string(".fig"));
    constants.add(rt::Value::string("_SINGLETON_handle"));
    constants.add(rt::Value(31.0));
    constants.add(rt::Value(0.0));
    constants.add(rt::Value(1.0));
    constants.add(rt::Value(2.0));
    constants.add(rt::Value::string("onscreen"));
    constants.add(rt::Value::string("visible"));
    constants.add(rt::Value::string("on"));
    constants.add(rt::Value::string("Argument must be a .fig file"));
    constants.add(rt::Value::string("Second input argument must be 'new' or 'reuse'."));
}

void openfig_terminate() { constants.release(); }

}  // namespace sys
