#include "learning/run_constants.hpp"

#include "runtime/array/ops.hpp"

namespace sys {

namespace {
// Never filled, so reading through a default view raises instead of
// dereferencing nothing.
const rt::ModuleConstants no_constants("learning run");
}  // namespace

RunConstants::RunConstants() : module_(&no_constants) {}

RunConstants add_run_constants(rt::ModuleConstants& module) {
    using rt::Value;
    const std::size_t first = module.size();
    const Value values[] = {
        Value::string("autoselect"),
        Value::string("Value"),
        0.0,
        1.1,
        0.1,
        9.8,
        0.5,
        10.0,
        0.02,
        162.0,
        2.0,
        Value::row({-3, 3, 0, 1.5}),
        Value::string("DataAspectRatio"),
        Value::row({1, 1, 1}),
        Value::string("Position"),
        Value::row({10, 100, 500, 200}),
        Value::string("DoubleBuffer"),
        Value::string("on"),
        Value::string("PlotBoxAspectRatio"),
        Value::row({510, 50, 400, 400}),
        Value::string("Renderer"),
        Value::string("OpenGL"),
        40.0,
        -30.0,
        rt::colon(1, 18),
        rt::colon(1, 9),
        9.0,
        18.0,
        100000.0,
        1.0,
        -1.0,
        1.3333333333333333,
        1.5707963267948966,
        0.2,
        0.4,
        0.8,
        Value::string("facecolor"),
        Value::string("b"),
        0.11,
        Value::string("r>"),
        Value::string("r<"),
        1e-11,
        Value::string("Trials  "),
        Value::string(", Best success : "),
        Value::string("Q-value mesh : up is push right, bottom is push left"),
        30.0,
        -15.0,
        Value::string("Success at "),
        Value::string(" trials"),
    };
    static_assert(sizeof(values) / sizeof(values[0]) == kRunConstantCount, "one value per RunConstant, in order");
    for (const Value& v : values) module.add(v);
    return RunConstants(module, first);
}

}  // namespace sys
