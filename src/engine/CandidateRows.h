#pragma once

// Engine-private, part of CandidateMerge (CandidateEngine.h): the values of
// a new cluster to every live cluster, one new row of the triangle, by the
// rule of the method, and the new cluster's candidate found on the way.

#include "common/Errors.h"
#include "engine/CandidateEngine.h"
#include "engine/Workspace.h"

#include <cfloat>
#include <cmath>

namespace vantrel::engine {
namespace {

// Every live cluster is older than the new one in slot `slot`, so all are
// its partners, and in slot order an equal value never replaces the best.
template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::Offer(Best& best, int slot, int y, Key key) const
{
    // Empty slots are NaN and never get past this test.
    const double ordered = std::bit_cast<double>((key & ~LowMask) | deadBits_[y]);
    if (!(ordered <= best.Ordered))
        return;
    if (ordered == best.Ordered && Compare(
                                       key, [&] { return PairValue(slot, y, key); }, best.PairKey,
                                       [&] { return PairValue(slot, best.Slot, best.PairKey); }) >= 0)
        return;
    best = {ordered, y, key};
}

// Complete or single linkage: the values of the new cluster, in slot sm,
// from those of its children in slots sa (Left) < sb.
template <class Rule, class Order>
inline auto CandidateMerge<Rule, Order>::CombineRows(int sa, int sb, int sm) -> Best
{
    auto combine = [&](Key toLeft, Key toRight) -> Key {
        const double left = Ordered(toLeft, LowMask);
        const double right = Ordered(toRight, LowMask);
        bool takeRight = Rule::Farther ? right >= left : right <= left;
        if (left == right && !keysExact_) {
            const long double d1 = input_[toLeft & OriginMask];
            const long double d2 = input_[toRight & OriginMask];
            takeRight = Rule::Farther ? !Order::Better(d2, d1) : !Order::Better(d1, d2);
        }
        return takeRight ? toRight : toLeft;
    };
    // Along the rows, empty slots are computed too, without a branch: their
    // keys are keys of this run (or NoKey), so even their ties look up valid
    // input values.
    Best best;
    Key* rowM = keys_ + Base(sm);
    const Key* rowA = keys_ + Base(sa);
    const Key* rowB = keys_ + Base(sb);
    for (int y = 0; y < sa; ++y) {
        Prefetch(rowA + y + RowAhead);
        Prefetch(rowB + y + RowAhead);
        const Key key = combine(rowA[y], rowB[y]);
        rowM[y] = key;
        Offer(best, sm, y, key);
    }
    rowM[sa] = NoKey;
    std::size_t base = Base(sa + 1);
    // Down a column, the rows of empty slots are skipped: a wasted line
    // costs more than a mispredicted branch. Their entries in the new row
    // get NoKey (whose origin is 0), so that every key a later merge of this
    // cluster combines comes from this run's input.
    const std::int32_t* slotId = slotId_.data();
    for (int y = sa + 1; y < sb; base += static_cast<std::size_t>(y), ++y) {
        Prefetch(keys_ + base + ColumnOffset(y) + sa);
        Prefetch(rowB + y + RowAhead);
        if (slotId[y] == 0) {
            rowM[y] = NoKey;
            continue;
        }
        const Key key = combine(keys_[base + sa], rowB[y]);
        rowM[y] = key;
        Offer(best, sm, y, key);
    }
    rowM[sb] = NoKey;
    base = Base(sb + 1);
    for (int y = sb + 1; y < sm; base += static_cast<std::size_t>(y), ++y) {
        Prefetch(keys_ + base + ColumnOffset(y) + sa);
        Prefetch(keys_ + base + ColumnOffset(y) + sb);
        if (slotId[y] == 0) {
            rowM[y] = NoKey;
            continue;
        }
        const Key key = combine(keys_[base + sa], keys_[base + sb]);
        rowM[y] = key;
        Offer(best, sm, y, key);
    }
    return best;
}

// Base(y + ColumnAhead) - Base(y).
template <class Rule, class Order>
inline std::size_t CandidateMerge<Rule, Order>::ColumnOffset(int y)
{
    return static_cast<std::size_t>(ColumnAhead) * static_cast<std::size_t>(y) +
           ColumnAhead * (ColumnAhead - 1) / 2;
}

// Group average: the means of the new cluster in slot sm to every live
// cluster, from sums that follow the pair-list order (GroupAverageSums).
template <class Rule, class Order>
inline auto CandidateMerge<Rule, Order>::AverageRows(int sm, int merged, const std::vector<std::int32_t>& ms)
    -> Best
{
    // Entries of empty slots are never read: scans mask them out.
    Key* rowM = keys_ + Base(sm);
    sums_.resize(static_cast<std::size_t>(range_));
    const SumInput input{&ms, sm, slotMembers_.data(), range_, objectSlot_.data()};
    SumsToNewCluster(*square_, input, sums_.data(), order_);
    Best best;
    std::vector<unsigned char>& meanRows = SharedWorkspace().Means;
    const std::size_t rowsEnd = (meanRowEnd_ + static_cast<std::size_t>(sm)) * InputSquare::Bytes;
    if (meanRows.size() < rowsEnd) {
        meanRows.resize(rowsEnd);
        means_ = meanRows.data();
    }
    unsigned char* meansM = means_ + meanRowEnd_ * InputSquare::Bytes;
    meanRowStart_[merged] = meanRowEnd_;
    meanEpoch_[merged] = epochs_ - 1;
    meanRowEnd_ += static_cast<std::size_t>(sm);
    const long double* sums = sums_.data();
    const SumChain* slotMembers = slotMembers_.data();
    const std::int32_t* slotId = slotId_.data();
    const std::int32_t size = static_cast<std::int32_t>(ms.size());
    bool finite = true;
    for (int y = 0; y < sm; ++y) {
        if (slotId[y] == 0)
            continue;
        const long double sum = sums[y];
        finite &= std::fabs(sum) <= LDBL_MAX;
        const long double mean = sum / static_cast<long double>(slotMembers[y].Count * size);
        const Key key = ValueKey(mean, Flip);
        rowM[y] = key;
        std::memcpy(meansM + static_cast<std::size_t>(y) * InputSquare::Bytes, &mean, InputSquare::Bytes);
        if (std::bit_cast<double>(key) <= best.Ordered)
            Offer(best, sm, y, key);
    }
    if (!finite)
        throw Error("Floating point overflow in the group average");
    return best;
}

// Ward, centroid, median, weighted: the list values of the objects' pairs
// into the triangle of values (for the squaring rules d * d), and each
// object's first candidate from its row: the first of the best values.
// False when an input value is not finite. Otherwise the first pair in
// list order whose value is negative or whose square overflows is refused.
template <class Rule, class Order>
inline bool CandidateMerge<Rule, Order>::FormulaInput()
{
    int badRow = 0;
    for (int c = 2; c <= n_; ++c) {
        const int slot = c - 1;
        const std::size_t base = Base(slot);
        const long double* row = input_ + base;
        unsigned char* out = ValueAt(base);
        int best = 0;
        bool bad = false;
        if constexpr (Rule::Squares) {
            long double bestValue = 0.0L;
            for (int q = 0; q < slot; ++q) {
                Prefetch(row + q + RowAhead);
                const long double d = row[q];
                const long double value = d * d;
                StoreComputed(out + static_cast<std::size_t>(q) * PackedBytes, value);
                bad |= Refused(d, value);
                if (q == 0 || Order::Better(value, bestValue)) {
                    best = q;
                    bestValue = value;
                }
            }
        } else {
            // The values as they are: their bits are copied, their keys made
            // from the bits, and only equal keys load the values.
            Key bestKey = NoKey;
            for (int q = 0; q < slot; ++q) {
                Prefetch(row + q + RowAhead);
                const unsigned char* in = reinterpret_cast<const unsigned char*>(row + q);
                CopyPacked(out + static_cast<std::size_t>(q) * PackedBytes, in);
                bad |= NotFiniteBits(in);
                const Key key = StoredKey(in, Flip);
                const double ordered = std::bit_cast<double>(key);
                const double bestOrdered = std::bit_cast<double>(bestKey);
                if (ordered <= bestOrdered && (ordered < bestOrdered || Order::Better(row[q], row[best]))) {
                    best = q;
                    bestKey = key;
                }
            }
        }
        if (bad && badRow == 0)
            badRow = c;
        SetCandidate(c, best + 1, KeyAt(base + static_cast<std::size_t>(best)),
                     LoadPacked(ValueAt(base + static_cast<std::size_t>(best))));
    }
    if (badRow == 0)
        return true;
    // A value that is not finite is refused first, as by every method.
    for (std::size_t k = 0; k < Base(n_); ++k)
        if (!(std::fabs(input_[k]) <= LDBL_MAX))
            return false;
    if constexpr (Rule::Squares) {
        const long double* row = input_ + Base(badRow - 1);
        int column = 1;
        while (!Refused(row[column - 1], row[column - 1] * row[column - 1]))
            ++column;
        if (row[column - 1] < 0)
            throw Error(NegativeDissimilarityText(Rule::Method, column, badRow));
        throw Error(SquareOverflowText(Rule::Method, column, badRow));
    }
    return false;
}

// Whether a squaring rule refuses the input value d, whose square is
// `square`: d not finite (NaN, an infinity, or an encoding the processor
// refuses), negative (-0 is not), or its square beyond the range.
template <class Rule, class Order>
inline bool CandidateMerge<Rule, Order>::Refused(long double d, long double square)
{
    return !(d >= 0) || !(square <= LDBL_MAX);
}

// Ward, centroid, median, weighted: the values of the new cluster in slot
// sm from those of its children in slots sa (Left) < sb, which merged at
// d12 with na and nb objects, by the rule's formula, along the live slots
// only (an empty slot's old values may be anything, even a denormal the
// processor is slow with). The best pair is the first of the best exact
// values, which is what keys and values together give, and needs no keys.
template <class Rule, class Order>
inline auto CandidateMerge<Rule, Order>::FormulaRows(int sa, int sb, int sm, long double d12, int na, int nb)
    -> Best
{
    // The live slots before sm, ascending, then sm for the look ahead.
    std::int32_t* slots = Workspace::Reserve(liveSlots_, static_cast<std::size_t>(sm + ColumnAhead));
    const std::int32_t* slotId = slotId_.data();
    int count = 0;
    for (int y = 0; y < sm; ++y) {
        slots[count] = y;
        count += slotId[y] != 0;
    }
    std::fill(slots + count, slots + count + ColumnAhead, sm);

    unsigned char* rowM = ValueAt(Base(sm));
    const unsigned char* rowA = ValueAt(Base(sa));
    const unsigned char* rowB = ValueAt(Base(sb));
    const std::int32_t* slotSize = slotSize_.data();
    int bestSlot = -1;
    long double bestValue = 0.0L;
    // value - value is 0 for every finite value, NaN otherwise: the sum of
    // them tells whether all are finite, without a compare per value.
    long double check = 0.0L;
    const typename Rule::Merge merge(d12, na, nb);
    auto update = [&](int y, const unsigned char* toLeft, const unsigned char* toRight)
        __attribute__((always_inline))
    {
        const long double value = Rule::Update(merge, LoadPacked(toLeft), LoadPacked(toRight), slotSize[y]);
        StoreComputed(rowM + static_cast<std::size_t>(y) * PackedBytes, value);
        check += value - value;
        if (bestSlot < 0 || Order::Better(value, bestValue)) {
            bestSlot = y;
            bestValue = value;
        }
    };
    constexpr std::size_t ahead = RowAhead * PackedBytes;
    int k = 0;
    for (; k < count && slots[k] < sa; ++k) {
        const std::size_t at = static_cast<std::size_t>(slots[k]) * PackedBytes;
        Prefetch(rowA + at + ahead);
        Prefetch(rowB + at + ahead);
        update(slots[k], rowA + at, rowB + at);
    }
    for (; k < count && slots[k] < sb; ++k) {
        const int y = slots[k];
        const std::size_t at = static_cast<std::size_t>(y) * PackedBytes;
        Prefetch(ValueAt(Base(slots[k + ColumnAhead]) + sa));
        Prefetch(rowB + at + ahead);
        update(y, ValueAt(Base(y) + sa), rowB + at);
    }
    for (; k < count; ++k) {
        const std::size_t base = Base(slots[k + ColumnAhead]);
        Prefetch(ValueAt(base + sa));
        Prefetch(ValueAt(base + sb));
        const int y = slots[k];
        update(y, ValueAt(Base(y) + sa), ValueAt(Base(y) + sb));
    }
    if (!(check == 0))
        throw Error(UpdateOverflowText(Rule::Method));
    Best best;
    best.Slot = bestSlot;
    best.PairKey = StoredKey(rowM + static_cast<std::size_t>(bestSlot) * PackedBytes, Flip);
    best.Ordered = std::bit_cast<double>(best.PairKey);
    return best;
}

} // namespace
} // namespace vantrel::engine
