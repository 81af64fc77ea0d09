#pragma once
// The seven callbacks of the control window, local functions of tavrin,
// reachable by name only while tavrin or one of them runs. Each takes three
// fixed inputs (the control's handle, event data that none reads, and
// `handles`) followed by any further inputs, and gives no outputs.
//
//   alpha_sl_Callback, beta_sl_Callback, gamma_sl_Callback, reinf_sl_Callback
//       show num2str of the slider's "Value" in its text field
//   pushbutton2_Callback   deletes the control window
//   figure1_ResizeFcn      says that resizing is not implemented yet
//   pushbutton1_Callback   runs one learning run to its end

#include "runtime/call/function_table.hpp"

namespace sys {

void entry_alpha_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_beta_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_gamma_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_reinf_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_pushbutton2_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_figure1_ResizeFcn(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_pushbutton1_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

inline constexpr rt::FunctionEntry tavrin_local_entries[] = {
    {"alpha_sl_Callback", entry_alpha_sl_Callback, -4, -1, {0, nullptr}},
    {"beta_sl_Callback", entry_beta_sl_Callback, -4, -1, {0, nullptr}},
    {"gamma_sl_Callback", entry_gamma_sl_Callback, -4, -1, {0, nullptr}},
    {"reinf_sl_Callback", entry_reinf_sl_Callback, -4, -1, {0, nullptr}},
    {"pushbutton2_Callback", entry_pushbutton2_Callback, -4, -1, {0, nullptr}},
    {"figure1_ResizeFcn", entry_figure1_ResizeFcn, -4, -1, {0, nullptr}},
    {"pushbutton1_Callback", entry_pushbutton1_Callback, -4, -1, {0, nullptr}},
};
inline constexpr rt::LocalFunctionTable tavrin_locals{7, tavrin_local_entries};

}  // namespace sys
