#pragma once
// The whole system started for each test (its function table, so the
// utilities can be called by name, and every module's constants), with the
// console and the warnings captured and a headless screen.

#include "runtime/array/ops.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/graphics.hpp"
#include "tests/app/running_program.hpp"
#include "tests/error_text.hpp"

class FigutilTest : public sys_test::RunningProgram {
protected:
    // A call by name, as a callback or --eval makes it.
    static std::vector<rt::Value> by_name(const char* name, int nargout, std::initializer_list<rt::Value> args) {
        return rt::feval(name, nargout, std::span<const rt::Value>(args.begin(), args.size()));
    }
    static std::string by_name_error(const char* name, int nargout, std::initializer_list<rt::Value> args) {
        return error_of([&] { by_name(name, nargout, args); });
    }

    static rt::Value window() { return rt::figure(); }
    static rt::Value control_in(const rt::Value& parent, const char* tag) {
        return rt::uicontrol(V({parent, S("Tag"), S(tag)}));
    }
};
