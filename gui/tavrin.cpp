#include "gui/tavrin.hpp"

#include <string>
#include <vector>

#include "figutil/guidata.hpp"
#include "figutil/guihandles.hpp"
#include "figutil/openfig.hpp"
#include "gui/tavrin_constants.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/library.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

Constants<TavrinConstant, tavrin_module> constants;
RunConstants run_constants;

const rt::Value& K(TavrinConstant c) { return constants[c]; }

// Opens the control window; gives its handle.
rt::Value launch() {
    using namespace rt;
    Value fig = openfig(K(kTavrin), K(kReuse));
    const Value color[] = {K(kColor), get(K(kRoot), K(kDefaultBackground))};
    set(fig, color);
    const Value handles = guihandles(fig);
    guidata(0, fig, handles);
    return fig;
}

// Calls varargin{1} by name with the rest of varargin. An error is printed,
// not passed on, and leaves no outputs.
rt::Value dispatch(int nargout, std::span<const rt::Value> varargin) {
    using namespace rt;
    Value varargout;
    bool ok = guarded([&] {
        const std::string name = varargin[0].text();
        const std::vector<Value> outputs = feval(name, nargout, varargin.subspan(1));
        if (nargout > 0) varargout = Value::cell_row(std::vector<Value>(outputs.begin(), outputs.begin() + nargout));
    });
    if (!ok) disp(lasterr());
    return varargout;
}

rt::Value body(int nargout, std::span<const rt::Value> varargin) {
    using namespace rt;
    BodyFrame frame(tavrin_module.name(), &tavrin_module.locals, nargout);
    Value varargout;
    if (varargin.empty()) {
        const Value fig = launch();
        if (nargout >= 1) {
            varargout = Value::cell(1, 1);
            varargout.mutable_cell_at(0) = fig;
        }
    } else if (tobool(feval_entry(entry_ischar, 1, varargin.first(1))[0])) {
        varargout = dispatch(nargout, varargin);
    }
    return varargout;
}

}  // namespace

const rt::Value& tavrin_constant(TavrinConstant c) { return constants[c]; }
rt::Arity tavrin_arity(std::size_t function) { return constants.arity(function); }
const RunConstants& tavrin_run_constants() { return run_constants; }

rt::Value tavrin(int nargout, std::span<const rt::Value> varargin) { return body(nargout, varargin); }

void entry_tavrin(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    const rt::Value varargin = call.varargin();
    std::vector<rt::Value> list;
    list.reserve(varargin.numel());
    for (std::size_t i = 0; i < varargin.numel(); ++i) list.push_back(varargin.cell_at(i));
    call.finish_varargout(body(call.nargout(), list));
}

void tavrin_initialize() {
    using rt::Value;
    constants.create({SYS_TAVRIN_CONSTANTS(SYS_CONSTANT_VALUE)});
    run_constants = add_run_constants(constants.store());
}

void tavrin_terminate() {
    run_constants = RunConstants();
    constants.release();
}

}  // namespace sys
