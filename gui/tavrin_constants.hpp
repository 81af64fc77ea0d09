#pragma once
// The constants of the module of tavrin, shared by its files. Its own come
// first, then the learning run's (learning/run_constants.hpp).

#include <cstddef>

#include "learning/run_constants.hpp"
#include "runtime/array/value.hpp"

namespace sys {

enum TavrinConstant : std::size_t {
    kTavrin,                 // "tavrin", the layout file's name
    kReuse,                  // "reuse"
    kColor,                  // "Color"
    kRoot,                   // 0
    kDefaultBackground,      // "defaultUicontrolBackgroundColor"
    kFirst,                  // 1
    kValueProperty,          // "Value"
    kStringProperty,         // "String"
    kResizeMessage,          // "figure1 ResizeFcn not implemented yet."
    kTavrinConstantCount
};

const rt::Value& tavrin_constant(TavrinConstant c);
const RunConstants& tavrin_run_constants();

}  // namespace sys
