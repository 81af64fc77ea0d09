// Calls by name with more inputs or outputs than declared are refused with
// the module's own message, outputs first, before the body runs.
#include "figutil/guidata.hpp"
#include "figutil/guihandles.hpp"
#include "figutil/movegui.hpp"
#include "figutil_fixture.hpp"

using rt::Value;

namespace {

class FigutilArityTest : public FigutilTest {};

TEST_F(FigutilArityTest, TooManyInputsOrOutputsByName) {
    struct Declared {
        const char* name;
        int inputs;  // negative: variable, never too many
        int outputs;
    };
    for (const Declared& f : {Declared{"guidata", 2, 1}, Declared{"guihandles", 1, 1}, Declared{"openfig", 2, 1},
                              Declared{"opengl", 1, 1}, Declared{"surf", -1, 1}, Declared{"title", -2, 1},
                              Declared{"movegui", -1, 0}, Declared{"grid", 2, 0}}) {
        const std::vector<Value> many(5, S("north"));
        const auto call = [&](int nargout, std::size_t nargin) {
            return error_of([&] { rt::feval(f.name, nargout, std::span(many.data(), nargin)); });
        };
        if (f.inputs >= 0) {
            EXPECT_EQ(call(f.outputs, static_cast<std::size_t>(f.inputs) + 1), arity(f.name, 1, "inputs", f.inputs));
        }
        EXPECT_EQ(call(f.outputs + 1, 4), arity(f.name, 1, "outputs", f.outputs));
    }
    EXPECT_EQ(rt::open_figures().size(), 0u);  // no body ran
}

TEST_F(FigutilArityTest, LocalFunctionsHaveTheirOwnMessages) {
    struct Local {
        rt::ByNameEntry entry;
        const char* name;
        int line;
    };
    const Value w = window();
    const Value two[] = {w, w};
    Value out[2];
    for (const Local& local : {Local{sys::entry_guidata_getParentFigure, "guidata/getParentFigure", 99},
                               Local{sys::entry_guihandles_getParentFigure, "guihandles/getParentFigure", 78},
                               Local{sys::entry_guihandles_createHandles, "guihandles/createHandles", 86},
                               Local{sys::entry_movegui_get_parent_fig, "movegui/get_parent_fig", 166}}) {
        EXPECT_EQ(error_of([&] { local.entry(1, out, 2, two); }), arity(local.name, local.line, "inputs", 1));
        EXPECT_EQ(error_of([&] { local.entry(2, out, 2, two); }), arity(local.name, local.line, "outputs", 1));
    }
    // Outside their module's body the local names mean nothing.
    EXPECT_EQ(rt::resolve("getParentFigure"), nullptr);
    EXPECT_EQ(rt::resolve("get_parent_fig"), nullptr);

    const Value control = control_in(w, "pushbutton1");
    sys::entry_movegui_get_parent_fig(1, out, 1, &control);
    EXPECT_EQ(out[0][0], w[0]);
}

}  // namespace
