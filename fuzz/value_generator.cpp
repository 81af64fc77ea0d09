#include "fuzz/value_generator.hpp"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <vector>

#include "runtime/array/error.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/graphics.hpp"

namespace fuzz {

namespace {

constexpr int kMaxDepth = 3;

constexpr const char* kWords[] = {
    // the system's functions and the runtime's
    "tavrin", "get_action", "get_box", "guidata", "guihandles", "openfig", "opengl", "reset_cart", "surf", "title",
    "isvarname", "movegui", "grid", "iskeyword", "figure", "axes", "uicontrol", "line", "plot", "surface", "text",
    "rectangle", "get", "set", "delete", "close", "closereq", "findall", "findobj", "gcf", "gca", "gcbo", "gcbf",
    "hold", "axis", "view", "drawnow", "pause", "feature", "meshgrid", "error", "lasterr", "disp", "num2str",
    // callbacks
    "alpha_sl_Callback", "beta_sl_Callback", "gamma_sl_Callback", "reinf_sl_Callback", "radiobutton1_Callback",
    "pushbutton1_Callback", "pushbutton2_Callback", "figure1_ResizeFcn", "createHandles", "Callback",
    // tags and files
    "figure1", "alpha_sl", "beta_sl", "gamma_sl", "reinf_sl", "radiobutton1", "pushbutton1", "pushbutton2", "alpha",
    "tavrin.fig", "tavrin.FIG", "/nonexistent/x.fig", "x.txt",
    // option words
    "on", "off", "all", "new", "reuse", "autoselect", "neverselect", "advise", "info", "data", "north", "south", "east",
    "west", "northeast", "northwest", "southeast", "southwest", "center", "onscreen", "minor", "add", "replace",
    "replacechildren", "pixels", "normalized", "inches", "centimeters", "points", "characters", "slider", "pushbutton",
    "radiobutton", "edit", "r-", "b*", ">", "<", "g--o", "openglmode", "getopenglinfo", "getopengldata", "software",
    "hardware", "OpenGL", "painters", "callback", "end", "for", "ALPHA", "BETA", "GAMMA", "_x", "1abc", "a b", "", "'",
    "%s%n", "ä", "Run-time Error"};

// clang-format off
constexpr std::array<double, 24> kNumbers = {
    0, 1, -1, 2, 0.5, -0.5, 3, 162, 163, 9, 18, 1e-11, -2.4, 2.4, 0.2094,
    1e300, -1e300, 5e-324, 1e8, 4294967297.0, std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(), -0.0};
// clang-format on

}  // namespace

std::string ValueGenerator::word() {
    const int property_or_word = data_.ConsumeIntegralInRange<int>(0, 3);
    if (property_or_word == 0) {
        const int id = data_.ConsumeIntegralInRange<int>(0, rt::kPropertyCount - 1);
        return rt::property_name(static_cast<rt::PropertyId>(id));
    }
    return kWords[data_.ConsumeIntegralInRange<std::size_t>(0, std::size(kWords) - 1)];
}

double ValueGenerator::number() {
    switch (data_.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return kNumbers[data_.ConsumeIntegralInRange<std::size_t>(0, kNumbers.size() - 1)];
        case 1: return data_.ConsumeIntegralInRange<int>(-5, 200);
        case 2: return data_.ConsumeFloatingPoint<double>();
        default: return data_.ConsumeIntegralInRange<int>(0, 40) / 8.0 - 1;
    }
}

std::size_t ValueGenerator::extent() {
    static constexpr std::array<std::size_t, 10> kExtents = {0, 1, 1, 2, 3, 4, 9, 18, 162, 2};
    return kExtents[data_.ConsumeIntegralInRange<std::size_t>(0, kExtents.size() - 1)];
}

rt::Value ValueGenerator::value(int depth) {
    const int top = depth == 0 ? 13 : 10;
    switch (data_.ConsumeIntegralInRange<int>(0, top)) {
        case 0: return rt::Value(number());
        case 1: return handle();
        case 2: return text();
        case 3: return numeric_matrix(rt::ClassId::Double);
        case 4: return numeric_matrix(rt::ClassId::Logical);
        case 5: return rt::Value::logical(data_.ConsumeBool());
        case 6: return char_matrix();
        case 7: return depth < kMaxDepth ? cell(depth + 1) : rt::Value::empty();
        case 8: return depth < kMaxDepth ? structure(depth + 1) : rt::Value::structure();
        case 9: return rt::Value::empty();
        case 10: return control_handles(depth);
        case 11: return rt::Value::absent();
        case 12: return rt::Value();
        default: return rt::Value::cell(0, 0);
    }
}

rt::Value ValueGenerator::handle() {
    // Every object now alive, root first; out-of-range picks give a handle
    // that names nothing.
    const rt::Value all = rt::findall(rt::Value(0.0));
    const std::size_t pick = data_.ConsumeIntegralInRange<std::size_t>(0, all.numel());
    if (pick < all.numel()) return rt::Value(all[pick]);
    return rt::Value(data_.ConsumeIntegralInRange<int>(0, 40) + 0.5 * data_.ConsumeBool());
}

rt::Value ValueGenerator::numeric_matrix(rt::ClassId cls) {
    const std::size_t rows = extent(), cols = extent();
    rt::Value m = rt::Value::zeros(rows, cols, cls);
    if (m.is_empty()) return m;
    double* d = m.mutable_data();
    // Large tables are filled sparsely: the bytes of one input are few.
    const std::size_t filled = std::min<std::size_t>(m.numel(), 16);
    for (std::size_t k = 0; k < filled; ++k) {
        const std::size_t at = data_.ConsumeIntegralInRange<std::size_t>(0, m.numel() - 1);
        d[at] = cls == rt::ClassId::Logical ? double(data_.ConsumeBool()) : number();
    }
    return m;
}

rt::Value ValueGenerator::text() {
    if (data_.ConsumeBool()) return rt::Value::string(word());
    return rt::Value::string(data_.ConsumeRandomLengthString(40));
}

rt::Value ValueGenerator::char_matrix() {
    const std::size_t rows = data_.ConsumeIntegralInRange<std::size_t>(0, 3);
    const std::size_t cols = data_.ConsumeIntegralInRange<std::size_t>(0, 12);
    rt::Value m = rt::Value::char_matrix(rows, cols);
    if (m.is_empty()) return m;
    double* d = m.mutable_data();
    for (std::size_t k = 0; k < m.numel(); ++k) d[k] = data_.ConsumeIntegralInRange<int>(0, 0x2FF);
    return m;
}

rt::Value ValueGenerator::cell(int depth) {
    const std::size_t rows = data_.ConsumeIntegralInRange<std::size_t>(0, 3);
    const std::size_t cols = data_.ConsumeIntegralInRange<std::size_t>(0, 3);
    rt::Value c = rt::Value::cell(rows, cols);
    for (std::size_t k = 0; k < c.numel(); ++k) c.mutable_cell_at(k) = value(depth);
    return c;
}

rt::Value ValueGenerator::structure(int depth) {
    rt::Value s = rt::Value::structure();
    const int fields = data_.ConsumeIntegralInRange<int>(0, 4);
    for (int k = 0; k < fields; ++k) {
        const std::string name = word();
        if (name.empty()) continue;
        s.set_field(name, value(depth));
    }
    return s;
}

rt::Value ValueGenerator::control_handles(int depth) {
    const rt::Value pairs[] = {rt::Value::string("Tag"), rt::Value::string("figure1")};
    const rt::Value window = rt::findall(rt::Value(0.0), pairs);
    if (window.numel() != 1) return rt::Value::structure();
    rt::Value handles;
    try {
        const rt::Value in[] = {window};
        handles = rt::feval("guidata", 1, in)[0];
    } catch (const rt::Error&) {
        return rt::Value::structure();
    }
    if (!handles.is_struct() || handles.field_names().empty() || data_.ConsumeBool()) return handles;
    const auto& names = handles.field_names();
    const std::string spoiled = names[data_.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)];
    if (data_.ConsumeBool()) {
        handles.remove_field(spoiled);
    } else {
        handles.set_field(spoiled, depth < kMaxDepth ? value(depth + 1) : rt::Value(number()));
    }
    return handles;
}

}  // namespace fuzz
