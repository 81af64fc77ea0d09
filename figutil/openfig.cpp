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

#define OPENFIG_CONSTANTS(X)                                       \
    X(kNew, Value::string("new"))                                  \
    X(kReuse, Value::string("reuse"))                              \
    X(kFigExt, Value::string(".fig"))                              \
    X(kTokenSuffix, Value::string("_SINGLETON_handle"))            \
    X(kTokenLength, 31.0)                                          \
    X(kRoot, 0.0)                                                  \
    X(kFewestInputs, 1.0)                                          \
    X(kMostInputs, 2.0)                                            \
    X(kOnscreen, Value::string("onscreen"))                        \
    X(kVisible, Value::string("visible"))                          \
    X(kOn, Value::string("on"))                                    \
    X(kNotAFigFile, Value::string("Argument must be a .fig file")) \
    X(kBadPolicy, Value::string("Second input argument must be 'new' or 'reuse'."))

enum Constant : std::size_t {
    OPENFIG_CONSTANTS(SYS_CONSTANT_NAME)
    // One slot, three meanings: also the token's first character and the
    // step from the last window of the registry to the next.
    kFirstCharacter = kFewestInputs,
    kOneMore = kFewestInputs,
};

Constants<Constant, openfig_module> constants;

const rt::Value& K(Constant c) { return constants[c]; }

rt::Value body(int nargout, const rt::Value& filename_in, const rt::Value& policy_in) {
    using namespace rt;
    BodyFrame frame(openfig_module.name(), &openfig_module.locals, nargout);
    Value fig, path, name, ext, TOKEN, figs;
    const Value given_inputs[] = {filename_in, policy_in};
    const int nargin = rt::nargin(2, given_inputs);
    error(nargchk(K(kFewestInputs)[0], K(kMostInputs)[0], nargin));

    Value filename = require_input(filename_in, "filename");
    const Value policy = nargin == 1 ? K(kNew) : require_input(policy_in, "policy");

    fileparts(filename, path, name, ext);
    if (isempty(ext)) ext = K(kFigExt);
    else if (!isequal(ext, K(kFigExt))) error(K(kNotAFigFile));
    filename = fullfile({path, horzcat(name, ext)});

    TOKEN = horzcat(name, K(kTokenSuffix));
    TOKEN = array_ref1(TOKEN, colon(K(kFirstCharacter)[0], std::min(length_int(TOKEN), K(kTokenLength)[0])));

    figs = getappdata(K(kRoot), TOKEN);
    figs = array_ref1(figs, ishandle(figs));

    if (strcmp_bool(policy, K(kNew))) {
        fig = load_layout(filename);
        array_assign1(figs, plus(Value(static_cast<double>(figs.numel())), K(kOneMore)), fig);
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
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1), call.input(2)));
}

void openfig_initialize() {
    using rt::Value;
    constants.create({OPENFIG_CONSTANTS(SYS_CONSTANT_VALUE)});
}

void openfig_terminate() { constants.release(); }

}  // namespace sys
