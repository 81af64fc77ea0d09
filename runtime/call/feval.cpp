#include "runtime/call/feval.hpp"

#include <algorithm>
#include <map>
#include <string>

#include "runtime/array/error.hpp"

namespace rt {

namespace {

const FunctionEntry* function_entries = nullptr;
int function_count = 0;

std::map<std::string, ByNameEntry, std::less<>>& builtins() {
    static std::map<std::string, ByNameEntry, std::less<>> table;
    return table;
}

ByNameEntry find_in(const FunctionEntry* entries, int count, std::string_view name) {
    if (!entries) return nullptr;
    for (int i = 0; i < count; ++i)
        if (entries[i].name && name == entries[i].name) return entries[i].entry;
    return nullptr;
}

}  // namespace

void set_function_table(const FunctionEntry* entries, int count) {
    function_entries = entries;
    function_count = entries ? std::max(count, 0) : 0;
}

void register_builtin(std::string_view name, ByNameEntry entry) {
    auto& table = builtins();
    auto it = table.find(name);
    if (it != table.end()) it->second = entry;
    else table.emplace(std::string(name), entry);
}

void unregister_builtin(std::string_view name) {
    auto& table = builtins();
    auto it = table.find(name);
    if (it != table.end()) table.erase(it);
}

ByNameEntry resolve(std::string_view name) {
    if (detail::current_locals)
        if (ByNameEntry e = find_in(detail::current_locals->entries, detail::current_locals->count, name)) return e;
    if (ByNameEntry e = find_in(function_entries, function_count, name)) return e;
    auto& table = builtins();
    auto it = table.find(name);
    return it != table.end() ? it->second : nullptr;
}

std::vector<Value> feval(std::string_view name, int nargout, std::span<const Value> args) {
    ByNameEntry entry = resolve(name);
    if (!entry) raise("Undefined function or variable '" + std::string(name) + "'.");
    return feval_entry(entry, nargout, args);
}

std::vector<Value> feval_entry(ByNameEntry entry, int nargout, std::span<const Value> args) {
    if (!entry) raise("A call by name was given no function.");
    if (nargout < 0) raise("The number of requested outputs cannot be negative.");
    std::vector<Value> outputs(static_cast<std::size_t>(std::max(nargout, 1)));
    entry(nargout, outputs.data(), static_cast<int>(args.size()), args.data());
    return outputs;
}

}  // namespace rt
