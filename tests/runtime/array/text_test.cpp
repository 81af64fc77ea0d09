#include "runtime/array/text.hpp"

#include "runtime/array/cellstruct.hpp"
#include "runtime/array/display.hpp"
#include "runtime/array/ops.hpp"
#include "tests/error_text.hpp"

namespace rt {
namespace {

Value str(const char* s) { return Value::string(s); }

TEST(Num2str, OneNumberFollowsTheSignificantDigitsRule) {
    const std::pair<double, const char*> cases[] = {{3.0, "3"},
                                                    {-1.0, "-1"},
                                                    {100000.0, "100000"},
                                                    {-0.0, "0"},
                                                    {0.5, "0.5"},
                                                    {M_PI, "3.1416"},
                                                    {123.456, "123.456"},
                                                    {0.001, "0.001"},
                                                    {0.999, "0.999"},
                                                    {1.0 / 3.0, "0.33333"},
                                                    {-2.5, "-2.5"},
                                                    {12345.678, "12345.678"},
                                                    {1e-7, "1e-07"},
                                                    {1e20, "1e+20"},
                                                    {123456789012.0, "123456789012"},
                                                    {std::nan(""), "NaN"},
                                                    {HUGE_VAL, "Inf"},
                                                    {-HUGE_VAL, "-Inf"}};
    for (const auto& [x, text] : cases) EXPECT_EQ(num2str(x), text) << x;
}

TEST(Num2str, ArraysTextsAndLogicals) {
    EXPECT_EQ(num2str(Value(0.5)).text(), "0.5");
    EXPECT_EQ(num2str(Value::row({1, 2.5, -3})).text(), "1  2.5  -3");
    EXPECT_EQ(num2str(Value::logical(true)).text(), "1");
    EXPECT_EQ(num2str(str("Trials")).text(), "Trials");
    Value e = num2str(Value::empty());
    EXPECT_TRUE(e.is_char() && e.is_empty());
    // A matrix gives one line per row, columns right-aligned.
    EXPECT_EQ(display_text(num2str(Value::from_rows(2, 2, {1, 200, 30, 4}))), "[' 1  200'; '30    4']");
    EXPECT_THROW(num2str(Value::cell(1, 1)), Error);
    EXPECT_THROW(num2str(Value::structure()), Error);
}

TEST(Strcmp, ComparesExactlyAndElementWiseWithCells) {
    // Numbers are not texts.
    const std::tuple<Value, Value, bool> cases[] = {{str("on"), str("on"), true},
                                                    {str("on"), str("On"), false},
                                                    {str("on"), str("on "), false},
                                                    {Value(1.0), Value(1.0), false},
                                                    {str("a"), Value(97.0), false},
                                                    {str(""), make_numeric(ClassId::Char, 1, 0), true}};
    for (const auto& [a, b, same] : cases) EXPECT_EQ(strcmp_bool(a, b), same) << display_text(a) << display_text(b);

    Value words = Value::cell_column({str("break"), str("case"), str("end")});
    Value hits = strcmp(str("end"), words);
    EXPECT_TRUE(hits.is_logical() && isequal(hits, Value::column({0, 0, 1})));
    EXPECT_FALSE(tobool(any(strcmp(str("End"), words))));
    EXPECT_TRUE(tobool(any(strcmp(words, str("case")))));
    EXPECT_TRUE(isequal(strcmp(Value::cell_row({str("a"), str("b")}), Value::cell_row({str("a"), str("c")})),
                        Value::row({1, 0})));
    EXPECT_THROW(strcmp(Value::cell(1, 2), Value::cell(1, 3)), Error);
}

TEST(Strmatch, PrefixAndExactOverCellsAndCharacterRows) {
    Value positions = Value::cell_column({str("north"), str("south"), str("northeast"), str("onscreen")});
    EXPECT_TRUE(isequal(strmatch(str("north"), positions, true), Value(1.0)));
    EXPECT_TRUE(isequal(strmatch(str("north"), positions, false), Value::column({1, 3})));
    EXPECT_TRUE(isempty(strmatch(str("North"), positions, true)));
    EXPECT_TRUE(isempty(strmatch(str("nor"), positions, true)));

    EXPECT_THROW(strmatch(Value(3.0), positions, true), Error);
    EXPECT_THROW(strmatch(str("a"), Value(1.0), true), Error);
}

TEST(Case, LowerUpperAndIsletterTouchOnlyLetters) {
    EXPECT_EQ(lower(str("AutoSelect 2_X")).text(), "autoselect 2_x");
    EXPECT_EQ(upper(str("on-Off")).text(), "ON-OFF");
    EXPECT_EQ(lower(str("\xC3\x84")).text(), "\xC3\xA4");  // Latin-1 A with diaeresis
    const Value n = lower(Value(65.0));
    EXPECT_TRUE(n.is_double() && n[0] == 65);
    EXPECT_TRUE(isempty(lower(Value::empty())));
    EXPECT_EQ(lower(Value::cell_row({str("AB"), Value(1.0)})).cell_at(0).text(), "ab");
    Value orig = str("ABC");
    EXPECT_EQ(lower(orig).text(), "abc");
    EXPECT_EQ(orig.text(), "ABC");  // the original is untouched

    Value t = isletter(str("aZ_0 \xC3\xA9"));
    EXPECT_TRUE(t.is_logical() && isequal(t, Value::row({1, 1, 0, 0, 0, 1})));
    EXPECT_TRUE(isequal(isletter(Value::row({65, 97})), Value::row({0, 0})));
    EXPECT_FALSE(tobool(isletter(Value::cell(1, 1))));
    EXPECT_TRUE(isletter(str("")).is_empty());
}

TEST(Display, EveryKindOfValueOnOneLine) {
    const Value s = setfield(setfield(Value::empty(), str("a"), Value(1.0)), str("b"), str("x"));
    const std::pair<Value, const char*> cases[] = {{Value(0.5), "0.5"},
                                                   {Value(86.0), "86"},
                                                   {Value::logical(true), "1"},
                                                   {Value::row({1, 2, 3}), "[1 2 3]"},
                                                   {Value::column({1, 2}), "[1; 2]"},
                                                   {Value::from_rows(2, 2, {1, 2, 3, 4}), "[1 2; 3 4]"},
                                                   {Value::row({3.14159265, -0.25}), "[3.1416 -0.25]"},
                                                   {Value::empty(), "[]"},
                                                   {make_numeric(ClassId::Double, 1, 0), "[]"},
                                                   {lt(Value::row({1, 5}), Value(3.0)), "[1 0]"},
                                                   {str("AutoSelect"), "'AutoSelect'"},
                                                   {str(""), "''"},
                                                   {str("it's"), "'it''s'"},
                                                   {vertcat({str("ab"), str("cd")}), "['ab'; 'cd']"},
                                                   {Value::cell_column({str("break"), str("case"), str("catch")}),
                                                    "{'break'; 'case'; 'catch'}"},
                                                   {Value::cell_row({str("a"), Value(2.0), Value::row({1, 2})}),
                                                    "{'a' 2 [1 2]}"},
                                                   {Value::cell(0, 0), "{}"},
                                                   {s, "struct with fields: a, b"},
                                                   {Value::structure(), "struct with no fields"},
                                                   {Value(), "<unassigned>"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(display_text(value), text);
    EXPECT_EQ(display_line("ALPHA", Value(0.5)), "ALPHA = 0.5");
}

TEST(Fields, SetfieldBuildsFromEmptyKeepsOrderAndLeavesTheOriginalAlone) {
    EXPECT_FALSE(isfield(Value::empty(), str("a")));
    EXPECT_FALSE(isfield(Value(1.0), str("a")));
    Value s = setfield(Value::empty(), str("figure1"), Value(1.0));
    ASSERT_TRUE(s.is_struct());
    s = setfield(s, str("alpha_sl"), Value(2.5));
    const Value two = s;
    s = setfield(s, str("beta_sl"), Value(3.5));
    EXPECT_TRUE(isfield(s, str("alpha_sl")));
    EXPECT_FALSE(isfield(s, str("Alpha_sl")));
    EXPECT_FALSE(isfield(s, Value(1.0)));

    // Replacing a field keeps its place; the value it was set on is unchanged.
    const Value before = s;
    s = setfield(s, str("figure1"), horzcat(getfield(s, str("figure1")), Value(7.0)));
    EXPECT_TRUE(isequal(fieldnames(s), Value::cell_column({str("figure1"), str("alpha_sl"), str("beta_sl")})));
    EXPECT_TRUE(isequal(getfield(s, str("figure1")), Value::row({1, 7})));
    EXPECT_EQ(getfield(before, str("figure1"))[0], 1);
    EXPECT_FALSE(isfield(two, str("beta_sl")));

    EXPECT_TRUE(isequal(size(fieldnames(Value::structure())), Value::row({0, 1})));
}

TEST(Fields, ErrorsNameTheFieldOrTheProblem) {
    Value s = setfield(Value::empty(), str("a"), Value(1.0));
    EXPECT_EQ(sys_test::error_of([&] { getfield(s, str("missing")); }), "Reference to non-existent field 'missing'.");
    EXPECT_THROW(getfield(Value(1.0), str("a")), Error);
    for (const char* bad : {"1abc", "has blank", ""}) EXPECT_THROW(setfield(s, str(bad), Value(1.0)), Error) << bad;
    EXPECT_THROW(setfield(s, Value(1.0), Value(1.0)), Error);
    EXPECT_THROW(setfield(Value(3.0), str("a"), Value(1.0)), Error);
    EXPECT_THROW(fieldnames(Value::cell(1, 1)), Error);
    EXPECT_TRUE(is_valid_field_name("A_1"));
    EXPECT_FALSE(is_valid_field_name("_a"));
    EXPECT_FALSE(is_valid_field_name(std::string(64, 'a')));
}

}  // namespace
}  // namespace rt
