#pragma once
// A polynomial over GF(256), coefficients highest power first.
#include <span>
#include <vector>

namespace vantrel::encoder {

class GfPolynomial {
 public:
  // Drops the leading zero coefficients of num and multiplies by x^shift.
  GfPolynomial(std::span<const int> num, int shift);

  int get(int index) const { return num_[index]; }
  int getLength() const { return static_cast<int>(num_.size()); }
  const std::vector<int>& coefficients() const { return num_; }

  // Both operands must have non-zero coefficients only (generators do).
  GfPolynomial multiply(const GfPolynomial& e) const;
  GfPolynomial mod(const GfPolynomial& e) const;

 private:
  std::vector<int> num_;
};

}  // namespace vantrel::encoder
