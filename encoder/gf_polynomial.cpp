#include "encoder/gf_polynomial.h"

#include "encoder/gf256.h"

namespace vantrel::encoder {

GfPolynomial::GfPolynomial(std::span<const int> num, int shift) {
  std::size_t offset = 0;
  while (offset < num.size() && num[offset] == 0) ++offset;
  num_.assign(num.begin() + static_cast<std::ptrdiff_t>(offset), num.end());
  num_.resize(num_.size() + static_cast<std::size_t>(shift), 0);
}

GfPolynomial GfPolynomial::multiply(const GfPolynomial& e) const {
  std::vector<int> num(num_.size() + e.num_.size() - 1, 0);
  for (std::size_t i = 0; i < num_.size(); ++i)
    for (std::size_t j = 0; j < e.num_.size(); ++j)
      num[i + j] ^= Gf256::gexp(Gf256::glog(num_[i]) + Gf256::glog(e.num_[j]));
  return GfPolynomial(num, 0);
}

// Long division done in one buffer: each step cancels the leading coefficient and drops
// the leading zeros, exactly as re-making the polynomial after every step would.
GfPolynomial GfPolynomial::mod(const GfPolynomial& e) const {
  std::vector<int> divisorLogs(e.num_.size());
  for (std::size_t i = 0; i < e.num_.size(); ++i) divisorLogs[i] = Gf256::glog(e.num_[i]);
  std::vector<int> num = num_;
  std::size_t start = 0;
  while (num.size() - start >= divisorLogs.size()) {
    const int ratio = Gf256::glog(num[start]) - divisorLogs[0];
    for (std::size_t i = 0; i < divisorLogs.size(); ++i)
      num[start + i] ^= Gf256::gexp(divisorLogs[i] + ratio);
    while (start < num.size() && num[start] == 0) ++start;
  }
  return GfPolynomial(std::span<const int>(num).subspan(start), 0);
}

}  // namespace vantrel::encoder
