#include "figutil/opengl.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

rt::ModuleConstants constants("opengl");

enum Constant : std::size_t {
    kOutputsMessage,
    kInputsMessage,
    kModeFeature,
    kInfoFeature,
    kDataFeature,
    kNeverSelectWord,
    kNeverSelect,
    kAdviseWord,
    kAdvise,
    kAutoSelectWord,
    kAutoSelect,
    kInfo,
    kData,
    k0,
    k1,
    k2,
    kBadMode,
};

const rt::Value& K(Constant c) { return constants[c]; }

rt::Value body(int nargout, const rt::Value& mode) {
    using namespace rt;
    BodyFrame frame("opengl", &opengl_locals, nargout);
    Value str;

    if (rt::nargin(1, &mode) == 0) {
        const Value current_setting = feature(1, K(kModeFeature));
        if (isequal(current_setting, K(k0))) str = K(kNeverSelectWord);
        else if (isequal(current_setting, K(k1))) str = K(kAdviseWord);
        else if (isequal(current_setting, K(k2))) str = K(kAutoSelectWord);
    } else {
        const Value word = lower(require_input(mode, "mode"));
        if (strcmp_bool(word, K(kNeverSelect))) feature(0, K(kModeFeature), K(k0));
        else if (strcmp_bool(word, K(kAdvise))) feature(0, K(kModeFeature), K(k1));
        else if (strcmp_bool(word, K(kAutoSelect))) feature(0, K(kModeFeature), K(k2));
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
    rt::ByNameCall call({"opengl", 1, 1, &constants[kOutputsMessage], &constants[kInputsMessage]}, nargout, outputs,
                        nargin, inputs);
    call.finish(body(call.nargout(), call.input(1)));
}

void opengl_initialize() {
    using rt::Value;
    constants.add(Value::string(rt::arity_message("opengl", 1, rt::ArityKind::Outputs, 1)));
    constants.add(Value::string(rt::arity_message("opengl", 1, rt::ArityKind::Inputs, 1)));
    for (const char* text : {"openglmode", "getopenglinfo", "getopengldata", "NeverSelect", "neverselect", "Advise",
                             "advise", "AutoSelect", "autoselect", "info", "data"})
        constants.add(Value::string(text));
    for (double d : {0.0, 1.0, 2.0}) constants.add(Value(d));
    constants.add(Value::string("OpenGL auto mode settings are info, autoselect, advise, and neverselect"));
}

void opengl_terminate() { constants.release(); }

}  // namespace sys
