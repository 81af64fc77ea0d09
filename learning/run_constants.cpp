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
    const Value values[] = {SYS_RUN_CONSTANTS(SYS_CONSTANT_VALUE)};
    for (const Value& v : values) module.add(v);
    return RunConstants(module, first);
}

}  // namespace sys
