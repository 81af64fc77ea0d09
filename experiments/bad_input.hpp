#pragma once
// A sweep's command line or input file that cannot be used. The text is one
// line for a person; the sweep prints it and ends with status 2 before any
// run starts (or, for --merge, before anything is written).

#include <stdexcept>
#include <string>

namespace sys::sweep {

class BadInput : public std::runtime_error {
public:
    explicit BadInput(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace sys::sweep
