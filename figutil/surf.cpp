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

#define SURF_CONSTANTS(X)                                                                     \
    X(kNotEnoughInputs, Value::string("Not enough input arguments."))                         \
    X(kNotAMatrix, Value::string("Input argument must be a matrix not a vector or a scalar")) \
    X(kVectorSide, 1.0)                                                                       \
    X(kThreeDimensionalView, 3.0)                                                             \
    X(kOn, Value::string("on"))

enum Constant : std::size_t { SURF_CONSTANTS(SYS_CONSTANT_NAME) };

Constants<Constant, surf_module> constants;

const rt::Value& K(Constant c) { return constants[c]; }

rt::Value body(int nargout, const rt::Value& varargin) {
    using namespace rt;
    BodyFrame frame(surf_module.name(), &surf_module.locals, nargout);
    Value h;
    const std::size_t n = varargin.numel();
    const Value cax = newplot();

    Value hh;
    if (n == 0) {
        error(K(kNotEnoughInputs));
    } else if (n == 1) {
        const Value& z = varargin.cell_at(0);
        const Value dims = feval_entry(entry_size, 1, {&z, 1})[0];
        if (eq_bool(min(dims), K(kVectorSide))) error(K(kNotAMatrix));
        hh = surface({&z, 1});
    } else {
        std::vector<Value> all(n);
        for (std::size_t i = 0; i < n; ++i) all[i] = varargin.cell_at(i);
        hh = surface(all);
    }

    if (not_bool(Value::logical(ishold()))) {
        view(K(kThreeDimensionalView));
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
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.varargin()));
}

void surf_initialize() {
    using rt::Value;
    constants.create({SURF_CONSTANTS(SYS_CONSTANT_VALUE)});
}

void surf_terminate() { constants.release(); }

}  // namespace sys
