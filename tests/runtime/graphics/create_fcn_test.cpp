// "CreateFcn" runs once, when an object is made, after all its properties
// are set, with gcbo the new object; for every object of a layout file too.
#include <filesystem>
#include <fstream>

#include "graphics_fixture.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/layout_loader.hpp"

using rt::Value;

namespace {

std::vector<std::string> seen;  // "tag/number of children" of each gcbo

void note(int, Value*, int, const Value*) {
    const Value h = rt::gcbo();
    seen.push_back(rt::get(h, Value::string("Tag")).text() + "/" + std::to_string(rt::get(h, Value::string("Children")).numel()));
}

TEST_F(GraphicsTest, CreateFcnRunsOnceForEachNewObjectAfterItsProperties) {
    seen.clear();
    rt::register_builtin("note", note);
    // The CreateFcn comes before the Tag among the arguments, and sees it.
    rt::figure(V({S("CreateFcn"), S("note"), S("Tag"), S("win")}));
    const Value c = rt::uicontrol(V({S("CreateFcn"), S("note"), S("Tag"), S("knob")}));
    rt::set(c[0], "Tag", S("renamed"));  // a change runs nothing
    const auto file = std::filesystem::temp_directory_path() / ("create_fcn_" + std::to_string(::getpid()) + ".fig");
    std::ofstream(file) << R"({"type": "figure", "Tag": "file", "CreateFcn": "note", "children": [
        {"type": "uicontrol", "Tag": "first", "CreateFcn": "note"}, {"type": "uicontrol", "Tag": "quiet"}]})";
    rt::load_layout(file.string());
    std::filesystem::remove(file);
    EXPECT_EQ(seen, (std::vector<std::string>{"win/0", "knob/0", "file/2", "first/0"}));
    EXPECT_TRUE(rt::gcbo().is_empty());

    // One that fails is a warning and its object stays; one may delete its own.
    const Value kept = rt::uicontrol(V({S("CreateFcn"), S("error('no good')")}));
    EXPECT_TRUE(rt::ishandle(kept[0]));
    EXPECT_EQ(warnings_.str(), "Warning: Error in the CreateFcn of a uicontrol object: no good\n");
    EXPECT_FALSE(rt::ishandle(rt::figure(V({S("CreateFcn"), S("delete(gcbo)")}))[0]));
    rt::unregister_builtin("note");
}

}  // namespace
