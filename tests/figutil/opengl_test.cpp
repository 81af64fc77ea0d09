// opengl: mode words to and from the runtime's "openglmode" switch.
#include "figutil/opengl.hpp"

#include "figutil_fixture.hpp"

using rt::Value;

namespace {

class OpenglTest : public FigutilTest {
protected:
    static double mode() { return rt::feature(1, S("openglmode"))[0]; }
};

TEST_F(OpenglTest, ModesAreSetInAnyLetterCaseAndReportedByTheirWords) {
    sys::opengl(0, S("neverselect"));
    EXPECT_EQ(mode(), 0);
    EXPECT_EQ(sys::opengl(1).text(), "NeverSelect");
    by_name("opengl", 0, {S("ADVISE")});
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(by_name("opengl", 1, {})[0].text(), "Advise");
    sys::opengl(0, S("AutoSelect"));  // the reported words are accepted back
    EXPECT_EQ(mode(), 2);
    EXPECT_EQ(warnings_.str(), "");

    // info and data describe the renderer; with nothing requested the
    // runtime shows it.
    EXPECT_TRUE(sys::opengl(1, S("info")).is_struct());
    EXPECT_TRUE(sys::opengl(1, S("DATA")).is_struct());
    EXPECT_EQ(console_.str(), "");
    sys::opengl(0, S("info"));
    EXPECT_NE(console_.str(), "");
}

TEST_F(OpenglTest, WhatGivesNoWord) {
    const std::string refused = "OpenGL auto mode settings are info, autoselect, advise, and neverselect";
    EXPECT_EQ(error_of([] { sys::opengl(0, S("always")); }), refused);
    EXPECT_EQ(error_of([] { sys::opengl(0, Value(2.0)); }), refused);
    EXPECT_EQ(mode(), 2);

    // An output asked of a setting, or a code with no word: nothing comes
    // back and the runtime warns about it.
    const std::string warning = "Warning: One or more output arguments not assigned during call to 'opengl' (str).\n";
    EXPECT_TRUE(sys::opengl(1, S("advise")).is_unassigned());
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(warnings_.str(), warning);
    rt::feature(0, S("openglmode"), Value(7.0));
    EXPECT_TRUE(sys::opengl(1).is_unassigned());
    EXPECT_TRUE(sys::opengl(0).is_unassigned());
    EXPECT_EQ(warnings_.str(), warning + warning);
}

}  // namespace
