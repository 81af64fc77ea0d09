#include "runtime/graphics/layout_loader.hpp"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "runtime/array/error.hpp"
#include "runtime/graphics/current_objects.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

// Property order matters ("Units" before "Position"), so keep the file's.
using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

std::vector<std::string>& resource_folders() {
    static std::vector<std::string> folders;
    return folders;
}

class LayoutLoader {
public:
    explicit LayoutLoader(std::string name) : name_(std::move(name)) {}

    double load() {
        const fs::path path = locate();
        const Json doc = parse(read(path));
        if (!doc.is_object()) fail("/", "expected an object (the window) at the top");
        check_type(doc, "/", ObjectType::Figure, "the top object must be a figure");
        ObjectTree& t = tree();
        GraphicsObject& fig = t.create(ObjectType::Figure, t.root());
        try {
            fill(fig, doc, "");
            t.set(fig, PropertyId::FileName, Value::string(fs::absolute(path).string()));
        } catch (...) {
            t.discard(fig);
            throw;
        }
        t.announce(fig);
        return fig.handle();
    }

private:
    [[noreturn]] void fail(const std::string& place, const std::string& what) const {
        raise(name_ + ": " + (place.empty() ? "/" : place) + ": " + what);
    }

    fs::path locate() const {
        fs::path given(name_);
        std::error_code ec;
        if (given.has_parent_path() || given.is_absolute()) {
            if (fs::is_regular_file(given, ec)) return given;
        } else {
            if (fs::is_regular_file(given, ec)) return given;
            for (const std::string& folder : resource_folders()) {
                fs::path candidate = fs::path(folder) / given;
                if (fs::is_regular_file(candidate, ec)) return candidate;
            }
        }
        std::string where = "the working folder";
        if (!given.has_parent_path()) {
            for (const std::string& folder : resource_folders()) where += ", " + folder;
        }
        raise(name_ + ": cannot open the layout file (looked in " + where + ").");
    }

    std::string read(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        if (!in) raise(name_ + ": cannot open the layout file.");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // "line L, column C" of the byte at `offset`.
    static std::string place_of(const std::string& text, std::size_t offset) {
        std::size_t line = 1, column = 1;
        const std::size_t end = std::min(offset, text.size());
        for (std::size_t i = 0; i < end; ++i) {
            if (text[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        return "line " + std::to_string(line) + ", column " + std::to_string(column);
    }

    Json parse(const std::string& text) const {
        try {
            return Json::parse(text);
        } catch (const Json::parse_error& e) {
            // Place the error by line and column of the byte where it was found.
            std::string what = e.what();
            // The library's text reads "[json.exception...] parse error at line L, column C: DETAIL".
            auto detail = what.find(": ", what.find("column"));
            what = detail == std::string::npos ? what : what.substr(detail + 2);
            raise(name_ + ": " + place_of(text, e.byte == 0 ? 0 : e.byte - 1) + ": " + what);
        } catch (const Json::out_of_range& e) {
            // A number beyond a double's range ("1e999"); the library names the
            // number but not its place, so find it.
            const std::string what = e.what();
            const auto open = what.find('\''), close = what.rfind('\'');
            const std::string number =
                open != std::string::npos && close > open ? what.substr(open + 1, close - open - 1) : std::string();
            const auto at = number.empty() ? std::string::npos : text.find(number);
            const std::string shown = number.size() > 24 ? number.substr(0, 24) + "..." : number;
            raise(name_ + ": " + (at == std::string::npos ? std::string() : place_of(text, at) + ": ") + "the number " +
                  shown + " is too large");
        } catch (const Json::exception& e) {
            raise(name_ + ": " + e.what());
        }
    }

    ObjectType check_type(const Json& node, const std::string& place, std::optional<ObjectType> wanted,
                          const std::string& wrong) const {
        auto it = node.find("type");
        if (it == node.end() || !it->is_string()) fail(place, "missing \"type\" (a text naming the object's type)");
        const std::string name = it->get<std::string>();
        auto type = object_type(name);
        if (!type || *type == ObjectType::Root) fail(place, "unknown type '" + name + "'");
        if (wanted && *type != *wanted) fail(place, wrong);
        return *type;
    }

    Value to_value(const Json& v, const std::string& place) const {
        const std::string expected =
            "expected a number, a text, true/false, null, or an array of numbers, of "
            "texts or of rows of numbers";
        if (v.is_number()) return Value(v.get<double>());
        if (v.is_boolean()) return Value::logical(v.get<bool>());
        if (v.is_string()) return Value::string(v.get<std::string>());
        if (v.is_null()) return Value::empty();
        if (!v.is_array()) fail(place, expected);
        if (v.empty()) return Value::empty();
        if (v[0].is_string()) {
            std::vector<Value> items;
            for (const Json& e : v) {
                if (!e.is_string()) fail(place, expected);
                items.push_back(Value::string(e.get<std::string>()));
            }
            return Value::cell_row(std::move(items));
        }
        if (v[0].is_array()) {
            const std::size_t rows = v.size(), cols = v[0].size();
            Value m = Value::zeros(rows, cols);
            double* d = m.mutable_data();
            for (std::size_t r = 0; r < rows; ++r) {
                if (!v[r].is_array() || v[r].size() != cols)
                    fail(place, "the rows of a matrix must have equal lengths");
                for (std::size_t c = 0; c < cols; ++c) {
                    if (!v[r][c].is_number()) fail(place, expected);
                    d[c * rows + r] = v[r][c].get<double>();
                }
            }
            return m;
        }
        std::vector<double> xs;
        for (const Json& e : v) {
            if (!e.is_number()) fail(place, expected);
            xs.push_back(e.get<double>());
        }
        return Value::row(xs);
    }

    void fill(GraphicsObject& obj, const Json& node, const std::string& place) {
        ObjectTree& t = tree();
        for (auto it = node.begin(); it != node.end(); ++it) {
            const std::string& key = it.key();
            if (key == "type" || key == "children") continue;
            const std::string at = place + "/" + key;
            Value v = to_value(it.value(), at);
            try {
                t.set(obj, property_of(obj, key), v, key);
            } catch (const Error& e) {
                fail(place, e.message());
            }
        }
        check_slider(obj, place);
        auto children = node.find("children");
        if (children == node.end()) return;
        if (!children->is_array()) fail(place + "/children", "expected an array of objects");
        for (std::size_t i = 0; i < children->size(); ++i) {
            const Json& child = (*children)[i];
            const std::string at = place + "/children/" + std::to_string(i);
            if (!child.is_object()) fail(at, "expected an object");
            ObjectType type = check_type(child, at, std::nullopt, "");
            if (!fits(type, obj.type())) {
                fail(at, std::string("a ") + type_name(type) + " cannot be placed in a " + type_name(obj.type()));
            }
            GraphicsObject& made = type == ObjectType::Axes ? create_axes(obj, {}, false) : t.create(type, obj);
            fill(made, child, at);
        }
    }

    // A slider set beyond its ends would hand its callback a value no
    // person could choose (a learning rate of 1e300 never converges).
    void check_slider(const GraphicsObject& obj, const std::string& place) const {
        if (obj.type() != ObjectType::Uicontrol || !obj.is(PropertyId::Style, "slider")) return;
        const Value& v = obj.value(PropertyId::Value);
        const Value& lo = obj.value(PropertyId::Min);
        const Value& hi = obj.value(PropertyId::Max);
        if (!v.is_double() || v.numel() != 1 || lo.numel() != 1 || hi.numel() != 1) return;
        if (v[0] >= lo[0] && v[0] <= hi[0]) return;
        // Shortest readable text: the value may be anything a file can hold.
        const auto text = [](double x) {
            std::ostringstream out;
            out << x;
            return out.str();
        };
        fail(place, "the Value " + text(v[0]) + " is outside the range of the slider '" +
                        obj.value(PropertyId::Tag).text() + "' (" + text(lo[0]) + " to " + text(hi[0]) + ")");
    }

    static bool fits(ObjectType child, ObjectType parent) {
        switch (child) {
            case ObjectType::Axes:
            case ObjectType::Uicontrol: return parent == ObjectType::Figure;
            case ObjectType::Line:
            case ObjectType::Rectangle:
            case ObjectType::Surface:
            case ObjectType::Text: return parent == ObjectType::Axes;
            default: return false;
        }
    }

    std::string name_;
};

}  // namespace

double load_layout(std::string_view filename) { return LayoutLoader(std::string(filename)).load(); }

Value load_layout(const Value& filename) {
    if (!filename.is_char() || filename.rows() != 1) {
        raise("load_layout: the file name must be text, not " + describe(filename) + ".");
    }
    return Value(load_layout(filename.text()));
}

void set_resource_folders(std::vector<std::string> folders) { resource_folders() = std::move(folders); }

}  // namespace rt
