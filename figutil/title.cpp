#include "figutil/title.hpp"

#include <vector>

#include "runtime/array/ops.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

#define TITLE_CONSTANTS(X)                      \
    X(kTitle, Value::string("title"))           \
    X(kFontAngle, Value::string("FontAngle"))   \
    X(kFontName, Value::string("FontName"))     \
    X(kFontSize, Value::string("FontSize"))     \
    X(kFontWeight, Value::string("FontWeight")) \
    X(kRotation, Value::string("Rotation"))     \
    X(kString, Value::string("string"))         \
    X(kPairSize, 2.0)                           \
    X(kUpright, 0.0)                            \
    X(kBadCount, Value::string("Incorrect number of input arguments"))

enum Constant : std::size_t { TITLE_CONSTANTS(SYS_CONSTANT_NAME) };

Constants<Constant, title_module> constants;

const rt::Value& K(Constant c) { return constants[c]; }

rt::Value body(int nargout, const rt::Value& string, const rt::Value& varargin) {
    using namespace rt;
    BodyFrame frame(title_module.name(), &title_module.locals, nargout);
    Value hh;
    const Value n(static_cast<double>((string.is_absent() ? 0 : 1) + varargin.numel()));

    const Value ax = gca();
    const Value h = get(ax, K(kTitle));
    if (n[0] > 1) {
        const Value q = mrdivide(minus(n, Value(1.0)), K(kPairSize));
        if (tobool(minus(q, fix(q)))) error(K(kBadCount));
    }

    const Value font_weight = get(ax, K(kFontWeight));
    const Value font_size = get(ax, K(kFontSize));
    const Value font_name = get(ax, K(kFontName));
    const Value font_angle = get(ax, K(kFontAngle));
    std::vector<Value> pairs = {K(kFontAngle), font_angle,  K(kFontName),   font_name,
                                K(kFontSize),  font_size,   K(kFontWeight), font_weight,
                                K(kRotation),  K(kUpright), K(kString),     require_input(string, "string")};
    for (std::size_t i = 0; i < varargin.numel(); ++i) pairs.push_back(varargin.cell_at(i));
    set(h, pairs);

    if (nargout >= 1) hh = h;
    frame.check_output(hh, 1, "hh");
    return hh;
}

}  // namespace

rt::Value title(int nargout, rt::Value string, std::span<const rt::Value> pairs) {
    std::size_t given = 0;
    while (given < pairs.size() && !pairs[given].is_absent()) ++given;
    return body(nargout, string, rt::create_varargin_cell(static_cast<int>(given), pairs.data(), 0));
}

void entry_title(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1), call.varargin()));
}

void title_initialize() {
    using rt::Value;
    constants.create({TITLE_CONSTANTS(SYS_CONSTANT_VALUE)});
}

void title_terminate() { constants.release(); }

}  // namespace sys
