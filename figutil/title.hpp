#pragma once
// title: sets the title of the current axes (created with a window when none
// exist). One property change on the axes' title object gives it the axes'
// FontAngle, FontName, FontSize and FontWeight, Rotation 0 and the text, then
// applies the caller's name/value pairs in order, so a pair can override any
// of those. The further inputs must be whole pairs: an even count of inputs
// raises "Incorrect number of input arguments" and the title is unchanged.
// With no text at all the runtime's error for an undefined input names
// `string`. With an output requested it gives the title object's handle.

#include <initializer_list>
#include <span>

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call forms: the text, then the pairs (an absent value ends them).
rt::Value title(int nargout, rt::Value string, std::span<const rt::Value> pairs = {});
inline rt::Value title(int nargout, rt::Value string, std::initializer_list<rt::Value> pairs) {
    return title(nargout, std::move(string), std::span<const rt::Value>(pairs.begin(), pairs.size()));
}

void entry_title(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

void title_initialize();
void title_terminate();

inline constexpr FunctionDescriptor title_functions[] = {{"title", entry_title, -2, 1, 1}};
inline constexpr ModuleDescriptor title_module = describe_module<title_functions>(title_initialize, title_terminate);

}  // namespace sys
