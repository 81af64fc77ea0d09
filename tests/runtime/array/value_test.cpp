#include "runtime/array/value.hpp"

#include "runtime/array/display.hpp"
#include "runtime/array/ops.hpp"
#include "tests/error_text.hpp"

namespace rt {
namespace {

TEST(Value, CopiesAreIndependentAfterAWrite) {
    Value a = Value::row({1, 2, 3});
    Value b = a;
    array_assign1(b, Value(2.0), Value(20.0));
    EXPECT_EQ(display_text(horzcat(a, b)), "[1 2 3 1 20 3]");
    Value q = zeros(162, 2);  // the table's own path: two subscripts, one number
    const Value snapshot = q;
    array_assign2(q, 5.0, 2.0, 0.25);
    EXPECT_EQ(array_ref2(snapshot, 5.0, 2.0), 0);

    Value t = Value::string("ab");
    Value u = t;
    u.mutable_data()[0] = 'x';
    EXPECT_EQ(display_text(vertcat({t, u})), "['ab'; 'xb']");

    Value c = Value::cell_row({Value(1.0), Value::string("x")});
    Value d = c;
    d.mutable_cell_at(0) = Value(9.0);
    EXPECT_EQ(c.cell_at(0)[0], 1);

    Value s = Value::structure();
    s.set_field("a", Value(1.0));
    Value st = s;
    st.set_field("a", Value(2.0));
    st.set_field("b", Value(3.0));
    EXPECT_TRUE(s.field("a")[0] == 1 && !s.has_field("b"));
    // A structure stored inside itself holds the old contents, not a loop.
    s.set_field("self", s);
    EXPECT_FALSE(s.field("self").has_field("self"));
}

TEST(Value, TextRoundTripsThroughSixteenBitCodes) {
    EXPECT_EQ(Value::string("").rows(), 0u);
    Value t = Value::string("a\xC3\xA9\xE2\x82\xAC");  // a, e-acute, euro sign
    EXPECT_TRUE(isequal(t, Value::row({'a', 0xE9, 0x20AC})));
    EXPECT_EQ(t.text(), "a\xC3\xA9\xE2\x82\xAC");
    Value emoji = Value::string("\xF0\x9F\x98\x80");
    ASSERT_EQ(emoji.numel(), 2u);  // a surrogate pair
    EXPECT_EQ(emoji.text(), "\xF0\x9F\x98\x80");
    // A truncated sequence is taken byte by byte rather than read past the end.
    EXPECT_EQ(Value::string("x\xE2\x82").numel(), 3u);
}

TEST(Value, HugeSizesRaiseInsteadOfAllocating) {
    EXPECT_NE(sys_test::error_of([] { zeros(1e6, 1e6); }).find("maximum array size"), std::string::npos);
    EXPECT_THROW(zeros(1e300, 1), Error);
    EXPECT_THROW(Value::cell(1u << 20, 1u << 20), Error);
    EXPECT_THROW(colon(1, 1e12), Error);
    EXPECT_THROW(make_numeric(ClassId::Double, SIZE_MAX / 2, 4), Error);
    EXPECT_EQ(zeros(-3, 2).numel(), 0u);
    EXPECT_THROW(zeros(std::nan(""), 1), Error);
}

// Small blocks go back to a free list and come out again for the next small
// array: a recycled block must never still be seen through an older value,
// whatever the order of copies, moves, self-assignments and releases.
TEST(Value, RecycledStorageIsNeverShared) {
    const auto three = [](double i) { return Value::row({i, i + 1, i + 2}); };
    std::vector<Value> kept;
    for (int i = 0; i < 64; ++i) {
        Value r = three(i);
        Value copy = r;  // shares the block
        kept.push_back(copy);
        r = Value::row({-1, -1});  // r lets go; kept still holds its block
        Value moved = std::move(copy);
        Value& alias = moved;
        moved = alias;             // self-assignment keeps the block
        moved = std::move(alias);  // and so does self-move
        EXPECT_TRUE(isequal(moved, three(i)));
    }
    // Blocks freed in between were reused for new rows: the kept ones are intact.
    for (int i = 0; i < 64; ++i) EXPECT_TRUE(isequal(kept[static_cast<std::size_t>(i)], three(i)));

    // Assigning a value from inside itself (a cell's own member, a field)
    // releases the container only after taking the member.
    Value c = Value::cell_row({Value::row({7, 8}), Value(1.0)});
    c = c.cell_at(0);
    EXPECT_TRUE(isequal(c, Value::row({7, 8})));
    Value s = Value::structure();
    s.set_field("inner", Value::row({1, 2, 3}));
    s = s.field("inner");
    EXPECT_TRUE(isequal(s, Value::row({1, 2, 3})));
}

}  // namespace
}  // namespace rt
