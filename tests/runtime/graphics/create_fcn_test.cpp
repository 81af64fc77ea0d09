// "CreateFcn": run once when an object is made, after all its properties are
// set, with gcbo the new object; also for every object of a layout file.
#include <filesystem>
#include <fstream>

#include "graphics_fixture.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/layout_loader.hpp"

using rt::Value;

namespace {

struct Created {
    double handle;
    std::string tag;   // the object's "Tag" as its CreateFcn saw it
    int children = 0;  // its children then
};
std::vector<Created> created;

void note_creation(int, Value*, int, const Value*) {
    const Value h = rt::gcbo();
    created.push_back({h.scalar(), rt::get(h, Value::string("Tag")).text(),
                       static_cast<int>(rt::get(h, Value::string("Children")).numel())});
}

class CreateFcnTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        created.clear();
        rt::register_builtin("note_creation", note_creation);
    }
    void TearDown() override {
        rt::unregister_builtin("note_creation");
        GraphicsTest::TearDown();
    }
};

TEST_F(CreateFcnTest, RunsOnceAfterThePropertiesWithGcboTheNewObject) {
    // The CreateFcn comes before the Tag among the arguments, and sees it.
    const Value f = rt::figure(V({S("CreateFcn"), S("note_creation"), S("Tag"), S("win")}));
    const Value c = rt::uicontrol(V({S("CreateFcn"), S("note_creation"), S("Tag"), S("knob")}));
    const Value plain = rt::uicontrol(V({S("Tag"), S("plain")}));
    ASSERT_EQ(created.size(), 2u);
    EXPECT_EQ(created[0].handle, f.scalar());
    EXPECT_EQ(created[0].tag, "win");
    EXPECT_EQ(created[1].handle, c.scalar());
    EXPECT_EQ(created[1].tag, "knob");
    EXPECT_TRUE(rt::gcbo().is_empty());
    // Setting it later, or changing the object, runs nothing.
    rt::set(plain[0], "CreateFcn", S("note_creation"));
    rt::set(c[0], "Tag", S("renamed"));
    EXPECT_EQ(created.size(), 2u);
}

TEST_F(CreateFcnTest, LayoutFileObjectsRunTheirsOnceTheWholeWindowExists) {
    const auto file = std::filesystem::temp_directory_path() / ("create_fcn_" + std::to_string(::getpid()) + ".fig");
    std::ofstream(file) << R"({"type": "figure", "Tag": "win", "CreateFcn": "note_creation", "children": [
        {"type": "uicontrol", "Tag": "first", "CreateFcn": "note_creation"},
        {"type": "uicontrol", "Tag": "quiet"},
        {"type": "uicontrol", "Tag": "second", "CreateFcn": "note_creation"}]})";
    rt::load_layout(file.string());
    std::filesystem::remove(file);
    ASSERT_EQ(created.size(), 3u);
    EXPECT_EQ(created[0].tag, "win");
    EXPECT_EQ(created[0].children, 3);
    EXPECT_EQ(created[1].tag, "first");
    EXPECT_EQ(created[2].tag, "second");
}

TEST_F(CreateFcnTest, AFailingOrDeletingCreateFcnLeavesTheCallerWhole) {
    rt::figure();
    // An error is a warning: the object stays, and the creation returns it.
    const Value kept = rt::uicontrol(V({S("CreateFcn"), S("error('no good')")}));
    EXPECT_TRUE(rt::ishandle(kept[0]));
    EXPECT_EQ(warnings_.str(), "Warning: Error in the CreateFcn of a uicontrol object: no good\n");
    // An object that deletes itself, or its window, while being made.
    const Value gone = rt::uicontrol(V({S("CreateFcn"), S("delete(gcbo)")}));
    EXPECT_FALSE(rt::ishandle(gone[0]));
    const Value f = rt::figure(V({S("CreateFcn"), S("delete(gcbo)")}));
    EXPECT_FALSE(rt::ishandle(f[0]));
    EXPECT_TRUE(rt::gcbo().is_empty());
}

}  // namespace
