#pragma once
// Calls by name. A name is resolved in the current local function table, then
// in the system's function table, then among the runtime's own functions
// (builtins). The current local function table is the one installed by the
// body that is running; LocalTableScope installs one for a scope and restores
// the previous table on every exit, an error included.

#include <span>
#include <string_view>
#include <vector>

#include "runtime/array/value.hpp"
#include "runtime/call/function_table.hpp"

namespace rt {

namespace detail {
// Inline, with the two functions below: every body of every call swaps it twice.
inline const LocalFunctionTable* current_locals = nullptr;
}  // namespace detail

// Makes `table` current and gives the previous one.
inline const LocalFunctionTable* set_current_local_function_table(const LocalFunctionTable* table) {
    const LocalFunctionTable* previous = detail::current_locals;
    detail::current_locals = table;
    return previous;
}
inline const LocalFunctionTable* current_local_function_table() { return detail::current_locals; }

class LocalTableScope {
public:
    explicit LocalTableScope(const LocalFunctionTable* table) : previous_(set_current_local_function_table(table)) {}
    ~LocalTableScope() { set_current_local_function_table(previous_); }
    LocalTableScope(const LocalTableScope&) = delete;
    LocalTableScope& operator=(const LocalTableScope&) = delete;

private:
    const LocalFunctionTable* previous_;
};

// The system's function table, as rt::run_main (or a test) installs it.
// The entries must stay alive while installed; null uninstalls.
void set_function_table(const FunctionEntry* entries, int count);

// The runtime's own functions callable by name. Registering a name again
// replaces its entry.
void register_builtin(std::string_view name, ByNameEntry entry);
void unregister_builtin(std::string_view name);

// The entry a name resolves to, or null when no function has that name.
ByNameEntry resolve(std::string_view name);

// Calls the function named `name` with `args`, requesting `nargout` outputs.
// Gives max(nargout, 1) values: the first is output 1 as the callee stored it
// (unassigned when it stored nothing). Raises
// "Undefined function or variable 'name'." when nothing has the name.
std::vector<Value> feval(std::string_view name, int nargout, std::span<const Value> args);
std::vector<Value> feval_entry(ByNameEntry entry, int nargout, std::span<const Value> args);

}  // namespace rt
