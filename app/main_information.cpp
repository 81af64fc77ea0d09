#include "app/main_information.hpp"

#include <array>
#include <iterator>

#include "figutil/grid.hpp"
#include "figutil/guidata.hpp"
#include "figutil/guihandles.hpp"
#include "figutil/iskeyword.hpp"
#include "figutil/isvarname.hpp"
#include "figutil/movegui.hpp"
#include "figutil/openfig.hpp"
#include "figutil/opengl.hpp"
#include "figutil/surf.hpp"
#include "figutil/title.hpp"
#include "gui/tavrin.hpp"
#include "learning/get_action.hpp"
#include "learning/get_box.hpp"
#include "learning/reset_cart.hpp"
#include "runtime/call/library.hpp"
#include "runtime/graphics/graphics.hpp"

namespace sys {

namespace {

// The modules in function-table order, which is also the order they
// initialise in.
constexpr const ModuleDescriptor* modules[] = {
    &tavrin_module,    &get_action_module, &get_box_module,    &guidata_module,   &guihandles_module,
    &openfig_module,   &opengl_module,     &reset_cart_module, &surf_module,      &title_module,
    &isvarname_module, &movegui_module,    &grid_module,       &iskeyword_module,
};
constexpr std::size_t module_count = std::size(modules);

constexpr std::array<rt::FunctionEntry, module_count> function_entries = [] {
    std::array<rt::FunctionEntry, module_count> entries{};
    for (std::size_t i = 0; i < module_count; ++i) entries[i] = modules[i]->table_entry();
    return entries;
}();

// The two runtime libraries, then the modules.
constexpr std::array<rt::InitTermEntry, module_count + 2> init_term_entries = [] {
    std::array<rt::InitTermEntry, module_count + 2> entries{};
    entries[0] = {rt::array_library_initialize, rt::array_library_terminate};
    entries[1] = {rt::graphics_library_initialize, rt::graphics_library_terminate};
    for (std::size_t i = 0; i < module_count; ++i) entries[i + 2] = modules[i]->init_term();
    return entries;
}();

}  // namespace

const rt::FunctionEntry* const function_table = function_entries.data();
const int function_count = static_cast<int>(module_count);

namespace {
rt::Value ALPHA = rt::Value::absent();
rt::Value BETA = rt::Value::absent();
rt::Value GAMMA = rt::Value::absent();
}  // namespace

const rt::GlobalEntry global_table[] = {
    {"ALPHA", &ALPHA},
    {"BETA", &BETA},
    {"GAMMA", &GAMMA},
};
const int global_count = static_cast<int>(std::size(global_table));

const rt::InitTermEntry* const init_term_list = init_term_entries.data();
const int init_term_count = static_cast<int>(init_term_entries.size());

constinit const rt::MainInformation main_information = {
    1,
    static_cast<std::int32_t>(function_entries.size()),
    function_entries.data(),
    static_cast<std::int32_t>(std::size(global_table)),
    global_table,
    0,
    nullptr,
    static_cast<std::int32_t>(init_term_entries.size()),
    init_term_entries.data(),
};

}  // namespace sys
