#pragma once

// Engine-private: the sums of group average (see Agglomeration.cpp).

#include "engine/PackedReals.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
    static constexpr std::size_t Bytes = PackedBytes;

    // Copies the packed lower triangle `lower` (TriangularMatrix's layout)
    // into `square` (n * n * Bytes bytes), tile by tile, and shows each
    // value D(x, y), y < x, to visit(x, y, pointer to the value) on the way:
    // the values of a row x come in ascending y.
    template <class Visit>
    InputSquare(const long double* lower, int n, unsigned char* square, Visit visit);

    // Row x (counted from 1); D(x, y) at Row(x) + Bytes * (y - 1).
    const unsigned char* Row(int x) const { return square_ + static_cast<std::size_t>(x - 1) * n_ * Bytes; }
    int Objects() const { return n_; }

private:
    unsigned char* square_;
    int n_;
};

// The clusters other than the new one, by slot: clusters[s] holds the
// objects of the cluster in slot s (none for an empty slot), and
// objectSlot[i - 1] the slot of object i's cluster; the new cluster's
// objects ms are in slot newSlot.
struct SumInput {
    const std::vector<std::int32_t>* NewMembers;
    int NewSlot;
    const SumChain* Clusters;
    int Slots;
    const std::int32_t* ObjectSlot;
};

template <class Visit>
InputSquare::InputSquare(const long double* lower, int n, unsigned char* square, Visit visit)
    : square_(square), n_(n)
{
    // Tile (top, left) holds rows top.. and columns left.. of the lower
    // triangle, and its mirror image rows left.., columns top..: both stay
    // in cache while the tile is copied.
    constexpr int tile = 32;
    for (int top = 2; top <= n; top += tile)
        for (int left = 1; left < std::min(top + tile, n + 1); left += tile)
            for (int x = top; x < std::min(top + tile, n + 1); ++x) {
                const long double* row =
                    lower + static_cast<std::size_t>(x - 1) * static_cast<std::size_t>(x - 2) / 2;
                unsigned char* rowX = square_ + static_cast<std::size_t>(x - 1) * n * Bytes;
                for (int y = left; y < std::min(left + tile, x); ++y) {
                    const long double* value = row + (y - 1);
                    std::memcpy(rowX + Bytes * (y - 1), value, Bytes);
                    std::memcpy(square_ + (static_cast<std::size_t>(y - 1) * n + (x - 1)) * Bytes, value,
                                Bytes);
                    visit(x, y, value);
                }
            }
}

// For every cluster x, sums[slot of x] := the sum of D(i, j) over i in x
// (outer loop) and j in the new cluster (inner loop), both ascending, added
// one by one in extended precision from 0: the order, and so the rounding,
// of the pair-list procedure. `order` is scratch space.
void SumsToNewCluster(const InputSquare& square, const SumInput& input, long double* sums,
                      std::vector<std::int32_t>& order);

} // namespace vantrel::engine
