#include "figutil/surf.hpp"

#include "figutil/grid.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/library.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

rt::ModuleConstants constants("surf");

enum Constant : std::size_t { kOutputsMessage, kNotEnoughInputs, kNotAMatrix, k1, k3, kOn };

const rt::Value& K(Constant c) { return constants[c]; }

rt::Value body(int nargout, const rt::Value& varargin) {
    using namespace rt;
    BodyFrame frame("surf", &surf_locals, nargout);
    Value h;
    const std::size_t n = varargin.numel();
    const Value cax = newplot();

    Value hh;
    if (n == 0) {
        error(K(kNotEnoughInputs));
    } else if (n == 1) {
        const Value& z = varargin.cell_at(0);
        const Value dims = feval_entry(entry_size, 1, {&z, 1})[0];
        if (eq_bool(min(dims), K(k1))) error(K(kNotAMatrix));
        hh = surface({&z, 1});
    } else {
        std::vector<Value> all(n);
        for (std::size_t i = 0; i < n; ++i) all[i] = varargin.cell_at(i);
        hh = surface(all);
    }

    if (not_bool(Value::logical(ishold()))) {
        view(K(k3));
        grid(K(kOn));
    }
    if (nargout == 1) h = hh;

    frame.check_output(h, 1, "h");
    return h;
}

}  // namespace

rt::Value surf(int nargout, std::span<const rt::Value> inputs) {
    std::size_t given = 0;
    while (given < inputs.size() && !inputs[given].is_absent()) ++given;
    return body(nargout, rt::create_varargin_cell(static_cast<int>(given), inputs.data(), 0));
}

void entry_surf(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call({"surf", -1, 1, &constants[kOutputsMessage], nullptr}, nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.varargin()));
}

void surf_initialize() {
    using rt::Value;
    constants.add(Value::string(rt::arity_message("surf", 1, rt::ArityKind::Outputs, 1)));
    constants.add(Value::string("Not enough input arguments."));
    constants.add(Value::string("Input argument must be a matrix not a vector or a scalar"));
    constants.add(Value(1.0));
    constants.add(Value(3.0));
    constants.add(Value::string("on"));
}

void surf_terminate() { constants.release(); }

}  // namespace sys
