#pragma once
// Draws rt::Values from a fuzz input's bytes, to be the inputs of calls by
// name: every class (double, char, logical, cell, struct), shapes from
// 0-by-0 up to the action-value table's 162-by-2, the numbers that sit on
// edges (0, -1, NaN, Inf, huge, tiny, whole and not), texts from the
// program's own vocabulary (function, callback, property and tag names,
// option words) or raw bytes, the handles of objects that exist right now,
// the control window's handle structure with one field spoiled, nested cells
// and structures; at the top level also absent and unassigned values.
//
// The provider must outlive the generator. Once the bytes run out every draw
// is the empty matrix or zero, so a call still gets its count of inputs.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "runtime/array/value.hpp"

namespace fuzz {

class ValueGenerator {
public:
    explicit ValueGenerator(FuzzedDataProvider& data) : data_(data) {}

    // One input of a call (absent and unassigned included).
    rt::Value input() { return value(0); }
    // A name from the vocabulary.
    std::string word();
    double number();

private:
    rt::Value value(int depth);
    rt::Value handle();
    rt::Value numeric_matrix(rt::ClassId cls);
    rt::Value text();
    rt::Value char_matrix();
    rt::Value cell(int depth);
    rt::Value structure(int depth);
    rt::Value control_handles(int depth);
    std::size_t extent();

    FuzzedDataProvider& data_;
};

}  // namespace fuzz
