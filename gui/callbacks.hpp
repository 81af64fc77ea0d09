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

#include "runtime/array/value.hpp"

namespace sys {

void entry_alpha_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_beta_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_gamma_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_reinf_sl_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_pushbutton2_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_figure1_ResizeFcn(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);
void entry_pushbutton1_Callback(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

}  // namespace sys
