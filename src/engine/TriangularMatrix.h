#pragma once

#include <cstddef>
#include <vector>

namespace vantrel {

// The strict lower triangle of a symmetric matrix of 80-bit reals for up to
// `capacity` objects, indexed from 1: element [i, j] with 1 <= j < i. Stored
// packed row by row, which is also the order of the initial pair list, so
// element [i, j] sits at (i-1)(i-2)/2 + (j-1).
class TriangularMatrix {
public:
    explicit TriangularMatrix(int capacity)
        : capacity_(capacity), values_(Offset(capacity + 1, 1), 0.0L)
    {
    }

    long double& operator()(int i, int j) { return values_[Offset(i, j)]; }
    long double operator()(int i, int j) const { return values_[Offset(i, j)]; }

    // The value of the pair (a, b), in either order.
    long double Pair(int a, int b) const { return a > b ? (*this)(a, b) : (*this)(b, a); }

    int Capacity() const { return capacity_; }
    // Row i (elements [i, 1..i-1]) as a contiguous run.
    const long double* Row(int i) const { return values_.data() + Offset(i, 1); }

    static std::size_t Offset(int i, int j)
    {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(i - 2) / 2 +
               static_cast<std::size_t>(j - 1);
    }

private:
    int capacity_;
    std::vector<long double> values_;
};

} // namespace vantrel
