#pragma once
// Tick marks of an axis: round values (1, 2 or 5 times a power of ten apart)
// inside the limits, as many as fit the axis' length on screen.

#include <string>
#include <vector>

namespace rt {

// The ticks of [lo, hi] when the axis is `pixels` long and a label needs
// about `spacing` pixels; nothing for an empty or non-finite range. Any
// finite limits and any length (NaN included) give finitely many distinct
// finite ticks.
std::vector<double> tick_values(double lo, double hi, double pixels, double spacing);

// The label of a tick: the value as num2str shows it, with the tiny rounding
// residue of a step multiple shown as 0; from 1e15 up, with only the digits
// the step needs.
std::string tick_label(double value, double step);

}  // namespace rt
