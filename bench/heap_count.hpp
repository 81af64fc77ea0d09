#pragma once
// Heap allocations of a benchmark binary, counted by global operator new
// and new[] replaced in heap_count.cpp (linked into the binary once). The
// benchmarks run on one thread, so the count is a plain number.

#include <cstddef>

std::size_t heap_allocations();
