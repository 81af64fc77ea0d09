// Calls by name: the frames of the system's modules, the runtime's own
// functions, the random numbers and the global variables.

#include "runtime/call/call_frame.hpp"

#include <random>
#include "runtime/array/ops.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/globals.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/library.hpp"
#include "runtime/call/random.hpp"
#include "tests/error_text.hpp"

namespace {

// A module written the way the system's modules are: `pair` has declared
// inputs 2 and outputs 3; output 1 is a + b, output 2 is a - b, output 3 is
// never assigned. Its local function `inner` is reachable by name only while
// its body runs.
rt::ModuleConstants constants("pair");
const rt::LocalFunctionTable* seen_during_body = nullptr;
int bodies_run = 0;

void entry_inner(int, Value* outputs, int, const Value*) { outputs[0] = Value(7.0); }
const rt::FunctionEntry pair_local_entries[] = {{"inner", entry_inner, 0, 1, {0, nullptr}}};
constexpr rt::LocalFunctionTable pair_locals{1, pair_local_entries};

Value pair_body(int nargout, Value* difference, Value* never, const Value& a, const Value& b) {
    rt::BodyFrame frame("pair", &pair_locals, nargout);
    ++bodies_run;
    seen_during_body = rt::current_local_function_table();
    Value sum, diff, unset;
    sum = rt::plus(rt::require_input(a, "a"), rt::require_input(b, "b"));
    diff = rt::minus(rt::require_input(a, "a"), rt::require_input(b, "b"));
    frame.check_output(sum, 1, "sum");
    frame.check_output(diff, 2, "diff");
    frame.check_output(unset, 3, "unset");
    rt::hand_out(difference, std::move(diff));
    rt::hand_out(never, std::move(unset));
    return sum;
}

void entry_pair(int nargout, Value* outputs, int nargin, const Value* inputs) {
    rt::ByNameCall call({"pair", 2, 3, &constants[0], &constants[1]}, nargout, outputs, nargin, inputs);
    call.finish(pair_body(call.nargout(), call.output(2), call.output(3), call.input(1), call.input(2)));
}

// Variable on both sides, like the switchyard: gives back its varargin.
void entry_echo(int nargout, Value* outputs, int nargin, const Value* inputs) {
    rt::ByNameCall call({"echo", -2, -1, nullptr, nullptr}, nargout, outputs, nargin, inputs);
    EXPECT_FALSE(call.input(1).is_absent());
    call.finish_varargout(call.varargin());
}

const rt::FunctionEntry table[] = {
    {"pair", entry_pair, 2, 3, pair_locals},
    {"echo", entry_echo, -2, -1, {0, nullptr}},
};

class CallFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        constants.add(Value::string(rt::arity_message("pair", 1, rt::ArityKind::Outputs, 3)));
        constants.add(Value::string(rt::arity_message("pair", 1, rt::ArityKind::Inputs, 2)));
        rt::set_function_table(table, 2);
        previous_warnings_ = rt::set_warning_stream(&warnings_);
        bodies_run = 0;
    }
    void TearDown() override {
        rt::set_warning_stream(previous_warnings_);
        rt::set_function_table(nullptr, 0);
        constants.release();
    }
    std::ostringstream warnings_;
    std::ostream* previous_warnings_ = nullptr;
};

TEST_F(CallFrameTest, StoresOutputOneAlwaysAndWarnsOnlyForARequestedOneNeverAssigned) {
    const Value args[] = {Value(5.0), Value(3.0)};
    const auto firsts = [](const std::vector<Value>& out) {
        std::vector<double> d;
        for (const Value& v : out) d.push_back(v[0]);
        return d;
    };
    EXPECT_EQ(firsts(rt::feval("pair", 0, args)), std::vector<double>{8});
    EXPECT_EQ(firsts(rt::feval("pair", 2, args)), (std::vector<double>{8, 2}));
    // Direct call form: the count comes from the references given.
    Value diff;
    EXPECT_EQ(pair_body(rt::requested_outputs(&diff, static_cast<Value*>(nullptr)), &diff, nullptr, 5.0, 3.0)[0], 8.0);
    EXPECT_EQ(diff[0], 2.0);
    EXPECT_TRUE(warnings_.str().empty());

    EXPECT_TRUE(rt::feval("pair", 3, args)[2].is_unassigned());
    EXPECT_EQ(warnings_.str(), "Warning: One or more output arguments not assigned during call to 'pair' (unset).\n");
}

TEST_F(CallFrameTest, RefusesExcessBeforeTheBodyRunsOutputsFirstAndNamesAMissingInput) {
    const Value three[] = {Value(1.0), Value(2.0), Value(3.0)};
    EXPECT_EQ(error_of([&] { rt::feval("pair", 4, three); }), constants[0].text());
    EXPECT_EQ(error_of([&] { rt::feval("pair", 1, three); }), constants[1].text());
    EXPECT_EQ(bodies_run, 0);

    EXPECT_EQ(error_of([&] { rt::feval("pair", 1, std::span(three, 1)); }), "Input argument \"b\" is undefined.");
    // An unassigned input warns and reads as [], so the sum is [].
    const Value unassigned[] = {Value(1.0), Value()};
    EXPECT_TRUE(rt::feval("pair", 1, unassigned)[0].is_empty());
    EXPECT_NE(warnings_.str().find("Variable 'b' is used before it is assigned."), std::string::npos);
}

TEST_F(CallFrameTest, LocalTableIsCurrentOnlyWhileTheBodyRunsEvenAfterAnError) {
    const rt::LocalFunctionTable outer{0, nullptr};
    rt::LocalTableScope scope(&outer);
    const Value args[] = {Value(1.0), Value(2.0)};
    rt::feval("pair", 1, args);
    EXPECT_EQ(seen_during_body, &pair_locals);
    EXPECT_EQ(rt::current_local_function_table(), &outer);

    // The body raises (a cell cannot be added) after installing its table.
    const Value bad[] = {Value::cell(1, 1), Value(2.0)};
    EXPECT_FALSE(rt::guarded([&] { rt::feval("pair", 1, bad); }));
    EXPECT_EQ(rt::current_local_function_table(), &outer);
    EXPECT_FALSE(rt::lasterr().text().empty());
}

TEST_F(CallFrameTest, NamesResolveInLocalsThenTableThenBuiltins) {
    EXPECT_EQ(rt::resolve("inner"), nullptr);
    {
        rt::LocalTableScope scope(&pair_locals);
        EXPECT_EQ(rt::resolve("inner"), &entry_inner);
        EXPECT_EQ(rt::resolve("pair"), &entry_pair);
    }
    rt::register_builtin("pair", entry_inner);
    rt::register_builtin("only_builtin", entry_inner);
    EXPECT_EQ(rt::resolve("pair"), &entry_pair);
    EXPECT_EQ(rt::resolve("only_builtin"), &entry_inner);
    rt::unregister_builtin("pair");
    rt::unregister_builtin("only_builtin");
    EXPECT_EQ(error_of([] { rt::feval("nosuch", 1, {}); }), "Undefined function or variable 'nosuch'.");
}

TEST_F(CallFrameTest, VariableListsGatherAndSpread) {
    const Value args[] = {Value(1.0), Value(2.0), Value::string("x")};
    std::vector<Value> out = rt::feval("echo", 2, args);
    EXPECT_EQ(out[0][0], 2.0);
    EXPECT_EQ(out[1].text(), "x");
    // Exactly the fixed inputs: an empty varargin, so no output 1 either.
    const Value fixed_only[] = {Value(1.0)};
    EXPECT_TRUE(rt::feval("echo", 0, fixed_only)[0].is_unassigned());
    EXPECT_EQ(error_of([&] { rt::feval("echo", 1, fixed_only); }), "Too many output arguments.");
    EXPECT_EQ(rt::nargin(3, std::vector<Value>{1.0, Value::absent(), Value::absent()}.data()), 1);
}

TEST(CheckArity, OutputsBeforeInputsAndVariableSidesUnchecked) {
    const Value out = Value::string("too many outputs");
    const Value in = Value::string("too many inputs");
    const auto raised = [](int nargout, int nargin, int outputs, int inputs, const Value* om, const Value* im) {
        return error_of([&] { rt::check_arity(nargout, nargin, outputs, inputs, om, im); });
    };
    EXPECT_EQ(raised(6, 14, 5, 13, &out, &in), "too many outputs");
    EXPECT_EQ(raised(5, 14, 5, 13, &out, &in), "too many inputs");
    EXPECT_EQ(raised(5, 13, 5, 13, &out, &in), "");
    EXPECT_EQ(raised(0, 0, 5, 13, &out, &in), "");
    // movegui: no outputs at all, any number of inputs.
    EXPECT_EQ(raised(1, 0, 0, -1, &out, nullptr), "too many outputs");
    EXPECT_EQ(raised(0, 40, 0, -1, &out, nullptr), "");
    // tavrin: both sides variable.
    EXPECT_EQ(raised(9, 40, -1, -1, nullptr, nullptr), "");
    // A side without a module message still refuses with the runtime's text.
    EXPECT_EQ(raised(2, 0, 1, 1, nullptr, nullptr), "Too many output arguments.");
}

class BuiltinsTest : public ::testing::Test {
protected:
    void SetUp() override { rt::array_library_initialize(); }
    void TearDown() override { rt::array_library_terminate(); }

    static std::vector<Value> call(const char* name, int nargout, std::vector<Value> args) {
        return rt::feval(name, nargout, args);
    }
    static std::string error_of(const char* name, int nargout, std::vector<Value> args) {
        return sys_test::error_of([&] { rt::feval(name, nargout, args); });
    }
};

TEST_F(BuiltinsTest, CountsAreCheckedOutputsFirst) {
    EXPECT_EQ(error_of("ischar", 1, {}), "Not enough input arguments.");
    EXPECT_EQ(error_of("ischar", 1, {1.0, 2.0}), "Too many input arguments.");
    EXPECT_EQ(error_of("ischar", 2, {1.0, 2.0}), "Too many output arguments.");
    EXPECT_EQ(error_of("size", 2, {1.0, 1.0}), "Too many output arguments.");
    // An input that holds nothing is refused by name, never read.
    EXPECT_NE(error_of("numel", 1, {Value()}).find("numel"), std::string::npos);
}

TEST_F(BuiltinsTest, SizeInItsThreeFormsAndConstructorsTakeASizeRow) {
    const Value m = Value::zeros(162, 2);
    EXPECT_TRUE(rt::isequal(call("size", 1, {m})[0], Value::row({162, 2})));
    const std::vector<Value> rc = call("size", 3, {m});
    EXPECT_EQ(std::tuple(rc[0][0], rc[1][0], rc[2][0]), std::tuple(162.0, 2.0, 1.0));
    EXPECT_EQ(call("size", 1, {m, 2.0})[0][0], 2.0);
    EXPECT_NE(error_of("size", 1, {m, Value::string("a")}), "");

    EXPECT_TRUE(rt::isequal(call("zeros", 1, {Value::row({162, 2})})[0], m));
    EXPECT_EQ(call("ones", 1, {3.0})[0].numel(), 9u);
    EXPECT_NE(error_of("zeros", 1, {Value::cell(1, 1)}), "");
    EXPECT_NE(error_of("rand", 1, {Value::string("ab")}), "");
}

TEST_F(BuiltinsTest, ErrorAndLasterrRoundTripAndTerminateRemovesNames) {
    EXPECT_FALSE(rt::guarded([] { rt::feval("error", 0, std::vector<Value>{Value::string("boom")}); }));
    EXPECT_EQ(call("lasterr", 1, {})[0].text(), "boom");
    EXPECT_NO_THROW(call("error", 0, {Value::string("")}));  // an empty message raises nothing

    rt::array_library_terminate();
    EXPECT_EQ(rt::resolve("plus"), nullptr);
    rt::array_library_initialize();
    EXPECT_EQ(rt::resolve("plus"), &rt::entry_plus);
}

// The draws come out of a block refilled every 312: across refills and after
// a seed given mid-block they stay the reference twister's.
TEST(Random, BlocksOfDrawsFollowTheTwisterAcrossRefillsAndReseeds) {
    for (const std::uint64_t seed : {0ULL, 5489ULL, 0xFFFFFFFFFFFFFFFFULL}) {
        rt::seed_rand(seed);
        std::mt19937_64 reference(seed);
        for (int i = 0; i < 1000; ++i) ASSERT_EQ(rt::rand(), static_cast<double>(reference() >> 11) * 0x1.0p-53) << i;
    }
}

TEST(Random, ArraysTakeTheirSizeAndStayInTheUnitInterval) {
    const Value m = rt::rand(2, 3);
    EXPECT_TRUE(rt::isequal(rt::size(m), Value::row({2, 3})));
    for (std::size_t i = 0; i < m.numel(); ++i) EXPECT_TRUE(m[i] >= 0.0 && m[i] < 1.0) << m[i];
    EXPECT_THROW(rt::rand(std::nan(""), 1), rt::Error);
}

TEST(Globals, SlotsAreFoundByNameAndReadOnlyOnceAssigned) {
    Value alpha = Value::absent();
    const rt::GlobalEntry table[] = {{"ALPHA", &alpha}};
    rt::set_global_table(table, 1);
    EXPECT_EQ(&rt::global_slot("ALPHA"), &alpha);
    EXPECT_THROW(rt::global_slot("DELTA"), rt::Error);
    EXPECT_EQ(error_of([&] { rt::global_value(alpha, "ALPHA"); }), "Undefined function or variable 'ALPHA'.");
    rt::init_global(rt::global_slot("ALPHA")) = 0.5;
    EXPECT_EQ(rt::global_value(alpha, "ALPHA")[0], 0.5);
    rt::set_global_table(nullptr, 0);
}

}  // namespace
