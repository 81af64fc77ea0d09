// Runtime switches read and set by name.
#include <string>

#include "runtime/array/error.hpp"
#include "runtime/call/console.hpp"
#include "runtime/graphics/feature_state.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/graphics/object_tree.hpp"

namespace rt {

namespace {

constexpr double kStartOpenglMode = 2;  // autoselect

double& openglmode() {
    static double mode = kStartOpenglMode;
    return mode;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Drawing is done by QPainter in software, whatever the mode says.
Value renderer_info() {
    Value s = Value::structure();
    s.set_field("Version", Value::string("Qt 6 QPainter"));
    s.set_field("Vendor", Value::string("The Qt Company"));
    s.set_field("Renderer", Value::string("QPainter software renderer (no OpenGL)"));
    s.set_field("Software", Value::string("true"));
    return s;
}

}  // namespace

void reset_features() { openglmode() = kStartOpenglMode; }

Value feature(int nargout, const Value& name, const Value& value) {
    if (!name.is_char() || name.rows() > 1)
        raise("feature: the feature name must be text, not " + describe(name) + ".");
    const std::string key = lower(name.text());
    const bool setting = !value.is_absent();
    if (key == "openglmode") {
        if (!setting) return Value(openglmode());
        if (!(value.is_double() || value.is_logical()) || value.numel() != 1) {
            raise("feature: 'openglmode' takes a number.");
        }
        openglmode() = value[0];
        return Value();
    }
    if (key == "getopenglinfo" || key == "getopengldata") {
        if (setting) raise("feature: '" + name.text() + "' takes no value.");
        Value info = renderer_info();
        if (nargout == 0 && key == "getopenglinfo") {
            for (const std::string& field : info.field_names()) print_array(info.field(field), field);
            return Value();
        }
        return info;
    }
    raise("feature: unknown feature '" + name.text() + "'.");
}

}  // namespace rt
