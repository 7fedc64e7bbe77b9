// The sums of group average. Each sum is one chain of dependent additions
// in a fixed order, so nothing may be reassociated; what can be done is to
// run several chains side by side, which the processor needs to overlap
// the latency of its additions, and to read the values along rows, from
// memory that is in cache or on its way there.

#include "engine/GroupAverageSums.h"

#include <algorithm>
#include <cstring>

namespace vantrel::engine {
namespace {

constexpr std::size_t Bytes = InputSquare::Bytes;

// How many chains run side by side: four accumulators and a loaded value
// fit the eight registers of the x87 stack.
constexpr int Lanes = 4;
// Prefetches run this many entries of the new cluster, or this many
// columns, ahead: memory beyond the second-level cache takes some 200 ns.
constexpr int MembersAhead = 16;
constexpr std::size_t ColumnsAhead = 64;

// The new cluster: for each of its objects, in order, the offset of its
// column and its row. Both lists go on MembersAhead entries past the end.
struct NewCluster {
    const std::size_t* Columns;
    const unsigned char* const* Rows;
    int Count;
};

// Rounds [first, last) of G chains in lockstep: in round r, lane l adds
// D(i, j) for i, the r-th object of its chain, and every j of the new
// cluster in order, read along the row of i. The accumulators are separate
// variables so that they stay in registers.
template <int G>
void Lockstep(const InputSquare& square, const NewCluster& merged, const SumChain* const* chains,
              long double* sums, int first, int last)
{
    long double a0 = sums[0];
    long double a1 = G > 1 ? sums[1] : 0.0L;
    long double a2 = G > 2 ? sums[2] : 0.0L;
    long double a3 = G > 3 ? sums[3] : 0.0L;
    const std::size_t* columns = merged.Columns;
    for (int r = first; r < last; ++r) {
        const unsigned char* r0 = square.Row(chains[0]->Members[r]);
        const unsigned char* r1 = G > 1 ? square.Row(chains[1]->Members[r]) : r0;
        const unsigned char* r2 = G > 2 ? square.Row(chains[2]->Members[r]) : r0;
        const unsigned char* r3 = G > 3 ? square.Row(chains[3]->Members[r]) : r0;
        for (int k = 0; k < merged.Count; ++k) {
            const std::size_t column = columns[k];
            const std::size_t ahead = columns[k + MembersAhead];
            __builtin_prefetch(r0 + ahead);
            if constexpr (G > 1)
                __builtin_prefetch(r1 + ahead);
            if constexpr (G > 2)
                __builtin_prefetch(r2 + ahead);
            if constexpr (G > 3)
                __builtin_prefetch(r3 + ahead);
            a0 += LoadPacked(r0 + column);
            if constexpr (G > 1)
                a1 += LoadPacked(r1 + column);
            if constexpr (G > 2)
                a2 += LoadPacked(r2 + column);
            if constexpr (G > 3)
                a3 += LoadPacked(r3 + column);
        }
    }
    sums[0] = a0;
    if constexpr (G > 1)
        sums[1] = a1;
    if constexpr (G > 2)
        sums[2] = a2;
    if constexpr (G > 3)
        sums[3] = a3;
}

void Lanes4(const InputSquare& square, const NewCluster& merged, const SumChain* const* lanes, int g,
            long double* sums)
{
    // Lengths descend: all g lanes up to the shortest chain, then fewer.
    int done = 0;
    for (int active = g; active > 0; --active) {
        const int until = lanes[active - 1]->Count;
        switch (active) {
        case 4:
            Lockstep<4>(square, merged, lanes, sums, done, until);
            break;
        case 3:
            Lockstep<3>(square, merged, lanes, sums, done, until);
            break;
        case 2:
            Lockstep<2>(square, merged, lanes, sums, done, until);
            break;
        default:
            Lockstep<1>(square, merged, lanes, sums, done, until);
            break;
        }
        done = until;
    }
}

// A group of G objects of different chains, ascending, each continuing its
// chain's sum with its additions, read in the rows of the new cluster.
template <int G>
void SweepGroup(const NewCluster& merged, const std::size_t* columns, long double* const* sums)
{
    long double a0 = *sums[0];
    long double a1 = G > 1 ? *sums[1] : 0.0L;
    long double a2 = G > 2 ? *sums[2] : 0.0L;
    long double a3 = G > 3 ? *sums[3] : 0.0L;
    const std::size_t c0 = columns[0];
    const std::size_t c1 = G > 1 ? columns[1] : c0;
    const std::size_t c2 = G > 2 ? columns[2] : c0;
    const std::size_t c3 = G > 3 ? columns[3] : c0;
    const unsigned char* const* rows = merged.Rows;
    for (int k = 0; k < merged.Count; ++k) {
        const unsigned char* row = rows[k];
        __builtin_prefetch(row + c0 + Bytes * ColumnsAhead);
        a0 += LoadPacked(row + c0);
        if constexpr (G > 1)
            a1 += LoadPacked(row + c1);
        if constexpr (G > 2)
            a2 += LoadPacked(row + c2);
        if constexpr (G > 3)
            a3 += LoadPacked(row + c3);
    }
    *sums[0] = a0;
    if constexpr (G > 1)
        *sums[1] = a1;
    if constexpr (G > 2)
        *sums[2] = a2;
    if constexpr (G > 3)
        *sums[3] = a3;
}

// All clusters at once, object by object in ascending order: each
// cluster's objects come in its own order, and every row of the new cluster
// is read along once. Each group of objects loads and stores its clusters'
// sums.
void Sweep(int n, const NewCluster& merged, const SumInput& input, long double* sums)
{
    const std::int32_t* objectSlot = input.ObjectSlot;
    const int newSlot = input.NewSlot;
    // The group that last took a slot's sum: a cluster's next object waits
    // for the group after.
    thread_local std::vector<std::int32_t> taken;
    taken.assign(static_cast<std::size_t>(input.Slots), -1);
    std::int32_t* takenBy = taken.data();
    int object = 0;
    for (std::int32_t group = 0;; ++group) {
        std::size_t columns[Lanes];
        long double* acc[Lanes];
        int g = 0;
        for (; object < n; ++object) {
            const int slot = objectSlot[object];
            if (slot == newSlot)
                continue;
            if (takenBy[slot] == group)
                break;
            takenBy[slot] = group;
            columns[g] = Bytes * static_cast<std::size_t>(object);
            acc[g] = sums + slot;
            if (++g == Lanes) {
                ++object;
                break;
            }
        }
        switch (g) {
        case 4:
            SweepGroup<4>(merged, columns, acc);
            break;
        case 3:
            SweepGroup<3>(merged, columns, acc);
            break;
        case 2:
            SweepGroup<2>(merged, columns, acc);
            break;
        case 1:
            SweepGroup<1>(merged, columns, acc);
            break;
        default:
            return;
        }
    }
}

} // namespace

void SumsToNewCluster(const InputSquare& square, const SumInput& input, long double* sums,
                      std::vector<std::int32_t>& order)
{
    const std::vector<std::int32_t>& ms = *input.NewMembers;
    thread_local std::vector<const unsigned char*> rows;
    thread_local std::vector<std::size_t> columns;
    rows.assign(ms.size() + MembersAhead, square.Row(ms[0]));
    columns.assign(ms.size() + MembersAhead, 0);
    for (std::size_t k = 0; k < ms.size(); ++k) {
        rows[k] = square.Row(ms[k]);
        columns[k] = Bytes * static_cast<std::size_t>(ms[k] - 1);
    }
    const NewCluster merged{columns.data(), rows.data(), static_cast<int>(ms.size())};
    const int n = square.Objects();
    std::fill(sums, sums + input.Slots, 0.0L);

    // Up to half the objects in the new cluster, the sweep reads its rows
    // along. Beyond, the rows of the other objects are fewer: the clusters
    // run side by side and read those, longest first.
    if (2 * ms.size() <= static_cast<std::size_t>(n)) {
        Sweep(n, merged, input, sums);
        return;
    }
    order.clear();
    for (int slot = 0; slot < input.Slots; ++slot)
        if (input.Clusters[slot].Count > 0 && slot != input.NewSlot)
            order.push_back(slot);
    std::sort(order.begin(), order.end(), [&](int x, int y) {
        return input.Clusters[x].Count != input.Clusters[y].Count
                   ? input.Clusters[x].Count > input.Clusters[y].Count
                   : x < y;
    });
    const int count = static_cast<int>(order.size());
    for (int first = 0; first < count; first += Lanes) {
        const int g = std::min(Lanes, count - first);
        const SumChain* lanes[Lanes];
        long double laneSums[Lanes] = {};
        for (int l = 0; l < g; ++l)
            lanes[l] = &input.Clusters[order[first + l]];
        Lanes4(square, merged, lanes, g, laneSums);
        for (int l = 0; l < g; ++l)
            sums[order[first + l]] = laneSums[l];
    }
}

} // namespace vantrel::engine
