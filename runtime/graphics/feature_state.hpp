#pragma once
// The runtime switches' start values are restored at library termination.

namespace rt {
void reset_features();
}  // namespace rt
