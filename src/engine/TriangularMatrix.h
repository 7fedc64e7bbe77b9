#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

namespace vantrel {

// The strict lower triangle of a symmetric matrix of 80-bit reals for up to
// `capacity` objects, indexed from 1: element [i, j] with 1 <= j < i. Stored
// packed row by row, which is also the order of the initial pair list, so
// element [i, j] sits at (i-1)(i-2)/2 + (j-1).
class TriangularMatrix {
public:
    // The elements start at zero. They come zeroed from the system, so a
    // matrix only costs memory where it is written: a run uses one of the
    // two 8 MB matrices of the analysis data, often only a corner of it.
    explicit TriangularMatrix(int capacity)
        : capacity_(capacity), values_(static_cast<long double*>(std::calloc(
                                   std::max<std::size_t>(Offset(capacity + 1, 1), 1), sizeof(long double))))
    {
        if (!values_)
            throw std::bad_alloc();
    }

    long double& operator()(int i, int j) { return values_[Offset(i, j)]; }
    long double operator()(int i, int j) const { return values_[Offset(i, j)]; }

    // The value of the pair (a, b), in either order.
    long double Pair(int a, int b) const { return a > b ? (*this)(a, b) : (*this)(b, a); }

    int Capacity() const { return capacity_; }
    // Row i (elements [i, 1..i-1]) as a contiguous run.
    const long double* Row(int i) const { return values_.get() + Offset(i, 1); }

    static std::size_t Offset(int i, int j)
    {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(i - 2) / 2 +
               static_cast<std::size_t>(j - 1);
    }

private:
    struct Release {
        void operator()(long double* values) const { std::free(values); }
    };
    int capacity_;
    std::unique_ptr<long double[], Release> values_;
};

} // namespace vantrel
