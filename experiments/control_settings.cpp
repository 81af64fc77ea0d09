#include "experiments/control_settings.hpp"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>

#include <nlohmann/json.hpp>

#include "experiments/bad_input.hpp"

namespace sys::sweep {

namespace {

using nlohmann::json;

// Property names are case-insensitive in layout files, as in `set`.
const json* property(const json& object, const std::string& name) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        std::string key = it.key();
        for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (key == name) return &it.value();
    }
    return nullptr;
}

const json* find_tagged(const json& object, const std::string& tag) {
    if (!object.is_object()) return nullptr;
    if (const json* t = property(object, "tag"); t && t->is_string() && t->get<std::string>() == tag) return &object;
    if (const json* children = property(object, "children"); children && children->is_array()) {
        for (const json& child : *children) {
            if (const json* found = find_tagged(child, tag)) return found;
        }
    }
    return nullptr;
}

double number_property(const json& control, const std::string& name, const std::string& path, const std::string& tag) {
    const json* p = property(control, name);
    if (!p || !p->is_number()) {
        throw BadInput("the layout file '" + path + "' gives no number for the " + name + " of '" + tag + "'");
    }
    return p->get<double>();
}

Slider slider(const json& root, const std::string& tag, const std::string& path) {
    const json* c = find_tagged(root, tag);
    if (!c) throw BadInput("the layout file '" + path + "' has no control tagged '" + tag + "'");
    return {tag, number_property(*c, "min", path, tag), number_property(*c, "max", path, tag),
            number_property(*c, "value", path, tag)};
}

}  // namespace

std::string find_layout_file(const std::string& program_folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file("tavrin.fig", ec)) return "tavrin.fig";
    const fs::path beside = fs::path(program_folder) / "tavrin.fig";
    if (!program_folder.empty() && fs::is_regular_file(beside, ec)) return beside.string();
    throw BadInput("cannot find the layout file tavrin.fig (in the working folder or beside the program)");
}

ControlSettings read_control_settings(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw BadInput("cannot read the layout file '" + path + "'");
    json root;
    try {
        root = json::parse(in);
    } catch (const json::exception& e) {
        throw BadInput("the layout file '" + path + "' is not valid JSON: " + e.what());
    }
    ControlSettings s;
    s.alpha = slider(root, "alpha_sl", path);
    s.beta = slider(root, "beta_sl", path);
    s.gamma = slider(root, "gamma_sl", path);
    s.reinf = slider(root, "reinf_sl", path);
    const json* radio = find_tagged(root, "radiobutton1");
    if (!radio) throw BadInput("the layout file '" + path + "' has no control tagged 'radiobutton1'");
    s.random_start = number_property(*radio, "value", path, "radiobutton1") != 0;
    return s;
}

}  // namespace sys::sweep
