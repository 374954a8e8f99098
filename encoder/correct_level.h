#pragma once
// Error-correction levels: the values are the two-bit indicators written into the format
// information, while level-indexed tables are ordered L, M, Q, H.

namespace vantrel::encoder {

struct CorrectLevel {
  static constexpr int L = 1;
  static constexpr int M = 0;
  static constexpr int Q = 3;
  static constexpr int H = 2;
};

// Column of a level in the level-indexed tables, or -1 for a code that is no level.
constexpr int levelOffset(int correctLevel) {
  switch (correctLevel) {
    case CorrectLevel::L: return 0;
    case CorrectLevel::M: return 1;
    case CorrectLevel::Q: return 2;
    case CorrectLevel::H: return 3;
    default: return -1;
  }
}

}  // namespace vantrel::encoder
