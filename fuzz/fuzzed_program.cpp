#include "fuzz/fuzzed_program.hpp"

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/main_information.hpp"
#include "gui/tavrin.hpp"
#include "runtime/array/error.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/program.hpp"
#include "runtime/call/random.hpp"
#include "runtime/graphics/graphics.hpp"

namespace fuzz {

namespace {

// Swallows everything: an input may print a great deal, and libFuzzer's own
// output is what a person reads.
class NullBuffer final : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

std::ostream& null_stream() {
    static NullBuffer buffer;
    static std::ostream stream(&buffer);
    return stream;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz session: %s\n", what.c_str());
    std::abort();
}

}  // namespace

class FuzzedProgram::PauseBudget final : public rt::WindowBackend {
public:
    void pause(double) override {
        ++pauses_;
        if (pauses_ == kPauseBudget) {
            const rt::Value pairs[] = {rt::Value::string("Type"), rt::Value::string("figure")};
            const rt::Value windows = rt::findall(rt::Value(0.0), pairs);
            for (std::size_t i = 0; i < windows.numel(); ++i) rt::request_close(windows[i]);
        } else if (pauses_ > 2 * kPauseBudget) {
            throw rt::Error("The fuzz session's pause budget is spent.");
        }
    }

private:
    long pauses_ = 0;
};

FuzzedProgram::FuzzedProgram(bool launch) : budget_(std::make_unique<PauseBudget>()) {
    rt::set_console(&null_stream());
    rt::set_warning_stream(&null_stream());
    rt::set_window_backend(budget_.get());
    rt::start_program(sys::main_information);
    rt::seed_rand(5489);
    rt::set_resource_folders({TAVRIN_RESOURCES});
    if (!launch) return;
    try {
        rt::feval_entry(sys::entry_tavrin, 0, {});
        rt::drawnow();
    } catch (const rt::Error& e) {
        fail("the launch failed: " + e.message());
    }
}

FuzzedProgram::~FuzzedProgram() {
    try {
        rt::end_program(sys::main_information);
    } catch (const rt::Error& e) {
        fail("a terminator raised: " + e.message());
    }
    for (int i = 0; i < sys::global_count; ++i) *sys::global_table[i].slot = rt::Value::absent();
    rt::set_window_backend(nullptr);
    rt::set_console(nullptr);
    rt::set_warning_stream(nullptr);
}

}  // namespace fuzz
