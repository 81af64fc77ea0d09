// The graphics functions called by name: their count and class checks, and
// the runtime switches.
#include "graphics_fixture.hpp"
#include "runtime/call/feval.hpp"

using rt::Value;

namespace {

std::vector<Value> call(const char* name, int nargout, std::vector<Value> args) {
    return rt::feval(name, nargout, args);
}

}  // namespace

TEST_F(GraphicsTest, CountsAreCheckedWithTheRuntimesMessages) {
    EXPECT_EQ(error_of([] { call("get", 1, {}); }), "Not enough input arguments.");
    EXPECT_EQ(error_of([] { call("get", 1, {Value(0.0), S("Units"), S("x")}); }), "Too many input arguments.");
    EXPECT_EQ(error_of([] { call("get", 2, {Value(0.0), S("Units")}); }), "Too many output arguments.");
    EXPECT_EQ(error_of([] { call("set", 1, {Value(0.0), S("Units"), S("pixels")}); }), "Too many output arguments.");
    EXPECT_EQ(error_of([] { call("gcf", 1, {Value(1.0)}); }), "Too many input arguments.");
    EXPECT_EQ(error_of([] { call("meshgrid", 3, {Value(1.0)}); }), "Too many output arguments.");
    EXPECT_EQ(rt::figure()[0], 1);  // nothing was created by a refused call
}

TEST_F(GraphicsTest, GetAndSetByNameRefuseBadArgumentsClearly) {
    Value f = call("figure", 1, {})[0];
    EXPECT_EQ(call("get", 1, {f, S("type")})[0].text(), "figure");
    call("set", 0, {f, S("Name"), S("cart"), S("Visible"), S("off")});
    EXPECT_EQ(rt::get(f[0], "Name").text(), "cart");
    EXPECT_TRUE(call("get", 1, {f})[0].is_struct());

    EXPECT_EQ(error_of([&] { call("get", 1, {f, Value(5.0)}); }), "get: expected a property name (text), not 5.");
    EXPECT_EQ(error_of([&] { call("get", 1, {S("f"), S("Name")}); }), "get: expected graphics handles, not 'f'.");
    EXPECT_EQ(error_of([&] { call("get", 1, {Value(7.5), S("Name")}); }), "get: 7.5 is not a valid handle.");
    EXPECT_EQ(error_of([&] { call("set", 0, {f, S("Name")}); }), "set: the property 'Name' has no value.");
    EXPECT_EQ(error_of([&] {
                  call("set", 0, {f, Value(1.0), Value(2.0)});
              }),
              "set: expected a property name (text), not 1.");
    EXPECT_EQ(error_of([&] {
                  call("set", 0, {f, S("Nmae"), S("x")});
              }),
              "There is no 'Nmae' property on the figure object.");
    // A bad pair stops the set there: the pairs before it took effect.
    EXPECT_NE(error_of([&] { call("set", 0, {f, S("Name"), S("b"), S("Visible"), Value(3.0)}); }), "");
    EXPECT_EQ(rt::get(f[0], "Name").text(), "b");

    // Several handles read as a column cell.
    Value g = call("figure", 1, {})[0];
    Value names = call("get", 1, {Value::row({f[0], g[0]}), S("Type")})[0];
    EXPECT_TRUE(names.is_cell() && names.rows() == 2);
    EXPECT_EQ(error_of([] { call("delete", 0, {S("all")}); }), "delete: expected graphics handles, not 'all'.");
    EXPECT_EQ(error_of([] { call("view", 0, {S("top")}); }),
              "view: expected view(az, el), view([az el]), view(2) or view(3); not 'top'.");
    EXPECT_EQ(error_of([] { call("pause", 0, {S("x")}); }),
              "pause: the duration must be a number of seconds, 0 or more.");
}

TEST_F(GraphicsTest, FeatureSwitchesReadSetAndDescribeTheRenderer) {
    EXPECT_EQ(rt::feature(1, S("openglmode")).scalar(), 2);
    EXPECT_TRUE(rt::feature(0, S("OpenGLMode"), Value(7.0)).is_unassigned());
    EXPECT_EQ(call("feature", 1, {S("openglmode")})[0].scalar(), 7);

    Value info = rt::feature(1, S("getopenglinfo"));
    for (const char* field : {"Version", "Vendor", "Renderer", "Software"})
        EXPECT_TRUE(info.has_field(field) && info.field(field).is_char()) << field;
    EXPECT_NE(info.field("Renderer").text().find("QPainter"), std::string::npos);
    EXPECT_TRUE(rt::feature(0, S("getopenglinfo")).is_unassigned());
    EXPECT_NE(console_.str().find("Renderer = "), std::string::npos);

    EXPECT_EQ(error_of([] { rt::feature(1, S("warp")); }), "feature: unknown feature 'warp'.");
    EXPECT_EQ(error_of([] { rt::feature(0, S("openglmode"), S("auto")); }), "feature: 'openglmode' takes a number.");
    rt::graphics_library_terminate();
    rt::graphics_library_initialize();
    EXPECT_EQ(rt::feature(1, S("openglmode")).scalar(), 2);
}
