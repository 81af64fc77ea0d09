#pragma once
// The constants of the module of tavrin, shared by its files. Its own come
// first, then the learning run's (learning/run_constants.hpp).

#include <cstddef>

#include "figutil/module.hpp"
#include "learning/run_constants.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// In creation order (values in terms of rt::Value).
#define SYS_TAVRIN_CONSTANTS(X)                                             \
    X(kTavrin, Value::string("tavrin")) /* the layout file's name */        \
    X(kReuse, Value::string("reuse"))                                       \
    X(kColor, Value::string("Color"))                                       \
    X(kRoot, 0.0)                                                           \
    X(kDefaultBackground, Value::string("defaultUicontrolBackgroundColor")) \
    X(kValueProperty, Value::string("Value"))                               \
    X(kStringProperty, Value::string("String"))                             \
    X(kResizeMessage, Value::string("figure1 ResizeFcn not implemented yet."))

enum TavrinConstant : std::size_t { SYS_TAVRIN_CONSTANTS(SYS_CONSTANT_NAME) };

const rt::Value& tavrin_constant(TavrinConstant c);
// What the by-name entry of tavrin's function `function` (its index in
// tavrin_functions) checks.
rt::Arity tavrin_arity(std::size_t function);
const RunConstants& tavrin_run_constants();

}  // namespace sys
