#include "app/main_information.hpp"

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

// In this order: tavrin, get_action, get_box, guidata, guihandles, openfig,
// opengl, reset_cart, surf, title, isvarname, movegui, grid, iskeyword.
const rt::FunctionEntry function_table[] = {
    {"tavrin", entry_tavrin, -1, -1, tavrin_locals},
    {"get_action", entry_get_action, 13, 5, get_action_locals},
    {"get_box", entry_get_box, 4, 1, get_box_locals},
    {"guidata", entry_guidata, 2, 1, guidata_locals},
    {"guihandles", entry_guihandles, 1, 1, guihandles_locals},
    {"openfig", entry_openfig, 2, 1, openfig_locals},
    {"opengl", entry_opengl, 1, 1, opengl_locals},
    {"reset_cart", entry_reset_cart, 1, 8, reset_cart_locals},
    {"surf", entry_surf, -1, 1, surf_locals},
    {"title", entry_title, -2, 1, title_locals},
    {"isvarname", entry_isvarname, 1, 1, isvarname_locals},
    {"movegui", entry_movegui, -1, 0, movegui_locals},
    {"grid", entry_grid, 2, 0, grid_locals},
    {"iskeyword", entry_iskeyword, 1, 1, iskeyword_locals},
};
const int function_count = static_cast<int>(std::size(function_table));

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

const rt::InitTermEntry init_term_list[] = {
    {rt::array_library_initialize, rt::array_library_terminate},
    {rt::graphics_library_initialize, rt::graphics_library_terminate},
    {tavrin_initialize, tavrin_terminate},
    {get_action_initialize, get_action_terminate},
    {get_box_initialize, get_box_terminate},
    {guidata_initialize, guidata_terminate},
    {guihandles_initialize, guihandles_terminate},
    {openfig_initialize, openfig_terminate},
    {opengl_initialize, opengl_terminate},
    {reset_cart_initialize, reset_cart_terminate},
    {surf_initialize, surf_terminate},
    {title_initialize, title_terminate},
    {isvarname_initialize, isvarname_terminate},
    {movegui_initialize, movegui_terminate},
    {grid_initialize, grid_terminate},
    {iskeyword_initialize, iskeyword_terminate},
};
const int init_term_count = static_cast<int>(std::size(init_term_list));

const rt::MainInformation main_information = {
    1,
    static_cast<std::int32_t>(std::size(function_table)),
    function_table,
    static_cast<std::int32_t>(std::size(global_table)),
    global_table,
    0,
    nullptr,
    static_cast<std::int32_t>(std::size(init_term_list)),
    init_term_list,
};

}  // namespace sys
