#include "figutil/opengl.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

#define OPENGL_CONSTANTS(X)                           \
    X(kModeFeature, Value::string("openglmode"))      \
    X(kInfoFeature, Value::string("getopenglinfo"))   \
    X(kDataFeature, Value::string("getopengldata"))   \
    X(kNeverSelectWord, Value::string("NeverSelect")) \
    X(kNeverSelect, Value::string("neverselect"))     \
    X(kAdviseWord, Value::string("Advise"))           \
    X(kAdvise, Value::string("advise"))               \
    X(kAutoSelectWord, Value::string("AutoSelect"))   \
    X(kAutoSelect, Value::string("autoselect"))       \
    X(kInfo, Value::string("info"))                   \
    X(kData, Value::string("data"))                   \
    X(kNeverSelectMode, 0.0)                          \
    X(kAdviseMode, 1.0)                               \
    X(kAutoSelectMode, 2.0)                           \
    X(kBadMode, Value::string("OpenGL auto mode settings are info, autoselect, advise, and neverselect"))

enum Constant : std::size_t { OPENGL_CONSTANTS(SYS_CONSTANT_NAME) };

Constants<Constant, opengl_module> constants;

const rt::Value& K(Constant c) { return constants[c]; }

rt::Value body(int nargout, const rt::Value& mode) {
    using namespace rt;
    BodyFrame frame(opengl_module.name(), &opengl_module.locals, nargout);
    Value str;

    if (rt::nargin(1, &mode) == 0) {
        const Value current_setting = feature(1, K(kModeFeature));
        if (isequal(current_setting, K(kNeverSelectMode))) str = K(kNeverSelectWord);
        else if (isequal(current_setting, K(kAdviseMode))) str = K(kAdviseWord);
        else if (isequal(current_setting, K(kAutoSelectMode))) str = K(kAutoSelectWord);
    } else {
        const Value word = lower(require_input(mode, "mode"));
        if (strcmp_bool(word, K(kNeverSelect))) feature(0, K(kModeFeature), K(kNeverSelectMode));
        else if (strcmp_bool(word, K(kAdvise))) feature(0, K(kModeFeature), K(kAdviseMode));
        else if (strcmp_bool(word, K(kAutoSelect))) feature(0, K(kModeFeature), K(kAutoSelectMode));
        else if (strcmp_bool(word, K(kInfo))) {
            if (nargout == 0) feature(0, K(kInfoFeature));
            else str = feature(1, K(kInfoFeature));
        } else if (strcmp_bool(word, K(kData))) str = feature(1, K(kDataFeature));
        else error(K(kBadMode));
    }

    frame.check_output(str, 1, "str");
    return str;
}

}  // namespace

rt::Value opengl(int nargout, rt::Value mode) { return body(nargout, mode); }

void entry_opengl(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1)));
}

void opengl_initialize() {
    using rt::Value;
    constants.create({OPENGL_CONSTANTS(SYS_CONSTANT_VALUE)});
}

void opengl_terminate() { constants.release(); }

}  // namespace sys
