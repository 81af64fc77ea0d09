#pragma once
// How each module of the system (figutil/, learning/, gui/) describes itself,
// once, and what is built from that description: its entry of the function
// table and its local function table, its place in the initialise/terminate
// list, the arity checks of its by-name entries and the arity messages among
// its constants.
//
// A module's header lists its functions, the module's own function first and
// then its local functions (named "module/local"), and describes the module:
//
//   inline constexpr FunctionDescriptor guidata_functions[] = {
//       {"guidata", entry_guidata, 2, 1, 1},
//       {"guidata/getParentFigure", entry_guidata_getParentFigure, 1, 1, 99},
//   };
//   inline constexpr ModuleDescriptor guidata_module =
//       describe_module<guidata_functions>(guidata_initialize, guidata_terminate);
//
// Its source lists its own constants once, in creation order, as an X-macro
// of (name, value) pairs; SYS_CONSTANT_NAME makes the enum of their names and
// SYS_CONSTANT_VALUE the values, so the two cannot drift apart:
//
//   #define GUIDATA_CONSTANTS(X) X(kPropName, Value::string("UsedByGUIData_m")) X(kFetchInputs, 1.0)
//   enum Constant : std::size_t {
//       GUIDATA_CONSTANTS(SYS_CONSTANT_NAME)
//       kOneHandle = kFetchInputs,  // a second meaning of the same slot: a second name
//   };
//   Constants<Constant, guidata_module> constants;
//   void guidata_initialize() { using rt::Value; constants.create({GUIDATA_CONSTANTS(SYS_CONSTANT_VALUE)}); }
//
// and each by-name entry checks what the description declares:
//
//   rt::ByNameCall call(constants.arity(1), nargout, outputs, nargin, inputs);  // getParentFigure

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <type_traits>
#include <vector>

#include "runtime/array/value.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/function_table.hpp"

#define SYS_CONSTANT_NAME(name, value) name,
#define SYS_CONSTANT_VALUE(name, value) rt::Value(value),
// For a constexpr table of the numbers among them (see ConstantNumber).
#define SYS_CONSTANT_NUMBER(name, value) ::sys::constant_number([] { return value; }),

namespace sys {

// One function callable by name. Declared counts as in rt::FunctionEntry:
// k >= 0 is at most k, -k is k-1 fixed and then a variable list. A declared
// count has an arity message naming `name` and `line`; a variable one none.
struct FunctionDescriptor {
    const char* name;  // "module", or "module/local" for a local function
    rt::ByNameEntry entry;
    std::int32_t declared_inputs;
    std::int32_t declared_outputs;
    int line;  // the line its arity messages name

    // The name it is found by: a local function's without its module.
    constexpr const char* table_name() const {
        const char* last = name;
        for (const char* c = name; *c; ++c)
            if (*c == '/') last = c + 1;
        return last;
    }
    constexpr std::size_t message_count() const {
        return (declared_outputs >= 0 ? 1u : 0u) + (declared_inputs >= 0 ? 1u : 0u);
    }
    constexpr rt::FunctionEntry table_entry(rt::LocalFunctionTable locals = {0, nullptr}) const {
        return {table_name(), entry, declared_inputs, declared_outputs, locals};
    }
};

struct ModuleDescriptor {
    std::span<const FunctionDescriptor> functions;  // the module's own first, then its local functions
    rt::LocalFunctionTable locals;                  // built from functions[1...]
    void (*initialize)();
    void (*terminate)();

    constexpr const char* name() const { return functions[0].name; }
    constexpr rt::FunctionEntry table_entry() const { return functions[0].table_entry(locals); }
    constexpr rt::InitTermEntry init_term() const { return {initialize, terminate}; }
    // The arity messages come first among the module's constants: function
    // by function, the outputs message before the inputs message.
    constexpr std::size_t message_count() const {
        std::size_t n = 0;
        for (const FunctionDescriptor& f : functions) n += f.message_count();
        return n;
    }
    // The index of the function whose by-name entry is `entry`.
    constexpr std::size_t index_of(rt::ByNameEntry entry) const {
        std::size_t i = 0;
        while (i < functions.size() && functions[i].entry != entry) ++i;
        return i;
    }
    constexpr std::size_t first_message(std::size_t function) const {
        std::size_t n = 0;
        for (std::size_t i = 0; i < function; ++i) n += functions[i].message_count();
        return n;
    }
};

template <const auto& functions>
inline constexpr auto local_entries = [] {
    std::array<rt::FunctionEntry, std::size(functions) - 1> entries{};
    for (std::size_t i = 1; i < std::size(functions); ++i) entries[i - 1] = functions[i].table_entry();
    return entries;
}();

template <const auto& functions>
constexpr ModuleDescriptor describe_module(void (*initialize)(), void (*terminate)()) {
    constexpr std::size_t local_count = std::size(functions) - 1;
    return {functions,
            {static_cast<std::int32_t>(local_count), local_count > 0 ? local_entries<functions>.data() : nullptr},
            initialize,
            terminate};
}

// A row and a column of texts, as one constant.
inline rt::Value texts_row(std::initializer_list<const char*> texts) {
    std::vector<rt::Value> cells;
    for (const char* t : texts) cells.push_back(rt::Value::string(t));
    return rt::Value::cell_row(std::move(cells));
}
inline rt::Value texts_column(std::initializer_list<const char*> texts) {
    std::vector<rt::Value> cells;
    for (const char* t : texts) cells.push_back(rt::Value::string(t));
    return rt::Value::cell_column(std::move(cells));
}

// A constant whose value is a plain double is known when the module is
// compiled. A view reads such a constant as that number rather than from
// the container, so that a body's arithmetic on it folds and its class is never
// tested; the container still holds it, and the view still tests once that
// the module has been initialised. Other constants are read from the
// container. The list's value expression is only looked at, never run, here.
struct ConstantNumber {
    bool known;
    double value;
};
template <typename Expression>
constexpr ConstantNumber constant_number(Expression value) {
    if constexpr (std::is_same_v<std::invoke_result_t<Expression>, double>) return {true, value()};
    else return {false, 0.0};
}
inline constexpr std::array<ConstantNumber, 0> kNoConstantNumbers{};
// The constants of `module`: the arity messages of its functions, then its
// own, named by the enum `Own` and read as constants[kName]. Static, and
// usable before any initialiser runs.
template <typename Own, const ModuleDescriptor& module, const auto& numbers = kNoConstantNumbers>
class Constants {
public:
    constexpr Constants() : store_(module.name()) {}

    const rt::Value& operator[](Own c) const { return store_[first_own + c]; }

    // The module's own constants read without a test each, as K(kName): a
    // body takes one on entry (`const auto K = constants.view();`), which
    // tests once that the module has been initialised. With `numbers` (the
    // module's list through SYS_CONSTANT_NUMBER) the plain numbers are read
    // as numbers known when compiling (by value: a body's arithmetic on them
    // then folds best).
    class View {
    public:
        RT_INLINE rt::Value operator()(Own c) const {
            if constexpr (std::size(numbers) != 0)
                if (c < std::size(numbers) && numbers_[c].known) return rt::Value(numbers_[c].value);
            return first_[c];
        }

    private:
        friend class Constants;
        explicit View(const rt::Value* first) : first_(first) {}
        // A copy of its own, which the compiler reads when compiling.
        static constexpr auto numbers_ = numbers;
        const rt::Value* first_;
    };
    View view() const { return View(store_.checked_first(first_own + 1) + first_own); }

    // What the by-name entry of function `function` (its index in the
    // module's list) checks before anything else.
    rt::Arity arity(std::size_t function = 0) const {
        const FunctionDescriptor& f = module.functions[function];
        std::size_t next = module.first_message(function);
        const rt::Value* outputs_message = f.declared_outputs >= 0 ? &store_[next++] : nullptr;
        const rt::Value* inputs_message = f.declared_inputs >= 0 ? &store_[next] : nullptr;
        return {f.name, f.declared_inputs, f.declared_outputs, outputs_message, inputs_message};
    }

    // Creates the arity messages, then `own` in its order.
    void create(std::initializer_list<rt::Value> own) {
        for (const FunctionDescriptor& f : module.functions) {
            if (f.declared_outputs >= 0)
                store_.add(
                    rt::Value::string(rt::arity_message(f.name, f.line, rt::ArityKind::Outputs, f.declared_outputs)));
            if (f.declared_inputs >= 0)
                store_.add(
                    rt::Value::string(rt::arity_message(f.name, f.line, rt::ArityKind::Inputs, f.declared_inputs)));
        }
        for (const rt::Value& v : own) store_.add(v);
    }
    void release() { store_.release(); }
    // The container, for a module that appends constants of another part
    // (tavrin's, the learning run's).
    rt::ModuleConstants& store() { return store_; }

private:
    static constexpr std::size_t first_own = module.message_count();
    rt::ModuleConstants store_;
};

}  // namespace sys
