#pragma once

// Engine-private: the sums of group average (see Agglomeration.cpp).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel::engine {

// A live cluster: its objects, ascending.
struct SumChain {
    const std::int32_t* Members;
    std::int32_t Count;
};

// The input of n objects as a full square of 10-byte extended reals (the
// 6 bytes of padding of a long double dropped): row x holds D(x, y) at
// column y, so that any value can be read along a row of either of its
// objects, and a row is 10 n bytes long.
class InputSquare {
public:
    static constexpr std::size_t Bytes = 10;

    // Copies the packed lower triangle `lower` (TriangularMatrix's layout)
    // into `square` (reused between runs).
    InputSquare(const long double* lower, int n, std::vector<unsigned char>& square);

    // Row x (counted from 1); D(x, y) at Row(x) + Bytes * (y - 1).
    const unsigned char* Row(int x) const { return square_ + static_cast<std::size_t>(x - 1) * n_ * Bytes; }
    int Objects() const { return n_; }

private:
    unsigned char* square_;
    int n_;
};

// For every chain x, sums[x] := the sum of D(i, j) over i in x (outer loop)
// and j in ms (inner loop), both ascending, added one by one in extended
// precision from 0: the order, and so the rounding, of the pair-list
// procedure. `order` is scratch space.
void SumsToNewCluster(const InputSquare& square, const std::vector<std::int32_t>& ms,
                      const std::vector<SumChain>& chains, std::vector<long double>& sums,
                      std::vector<std::int32_t>& order);

} // namespace vantrel::engine
