#pragma once
// Byte-mode data capacities, one row per version 1..40, columns L, M, Q, H.
#include <array>

namespace vantrel::encoder {

extern const std::array<std::array<int, 4>, 40> CAPACITY_TABLE;

}  // namespace vantrel::encoder
