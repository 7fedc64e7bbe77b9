#pragma once

// Engine-private: the merge steps by candidates (see Agglomeration.cpp for
// the reasoning). One class template serves every rule of MergeRules.h in
// both directions. This header holds its state and how it reads and orders
// values; its work is defined by idea in the headers below:
// - CandidateRenewal.h: candidates, the stale ones and their renewal;
// - CandidateTournament.h: the tournament that finds the pair to merge;
// - CandidateRows.h: the values of a new cluster, rule by rule, and the
//   formulas' first values;
// - CandidateStep.h: the run, the pass over the input, the merge step and
//   the compaction of the slots.
// CandidateMerge.cpp instantiates it for complete linkage, group average
// and single linkage, FormulaMerge.cpp for the four formulas. Everything
// here is in an unnamed namespace and its functions are inline, as if
// written in each of those files: the compiler then inlines the small
// steps into the loops that call them, which the speed depends on, and the
// rules of one file do not change how it builds those of the other.

#include "common/Limits.h"
#include "engine/ClusterTree.h"
#include "engine/GroupAverageSums.h"
#include "engine/MergeRules.h"
#include "engine/PackedReals.h"
#include "engine/PairKeys.h"
#include "engine/TriangularMatrix.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace vantrel::engine {
namespace {

// The origin bits of a key name an input value of at most this many objects.
constexpr int OriginObjects = 1024;
static_assert(MaxObjects <= OriginObjects, "input origins must fit in OriginBits");

// Packed lower triangle by slot: pair (p, q), p > q, at p(p-1)/2 + q. For
// the slots of the objects (object i in slot i - 1) that is the index of
// the input pair in TriangularMatrix.
std::size_t Base(int slot) { return static_cast<std::size_t>(slot) * static_cast<std::size_t>(slot - 1) / 2; }

void Prefetch(const void* address) { __builtin_prefetch(address); }

struct CacheEntry {
    std::int32_t Id;
    Key PairKey;
};
// A cluster's remembered partners: cache[Offset, Offset + Count), the ones
// before Position merged away; Complete when they were all its partners at
// the scan.
struct Remembered {
    std::size_t Offset = 0;
    int Capacity = 0;
    int Count = 0;
    int Position = 0;
    bool Complete = false;
};
struct Found {
    std::int32_t Slot;
    Key PairKey;
};

// The engine's smaller tables, kept from one run to the next like the
// Workspace: allocated afresh, some would come from the system every run.
struct Tables {
    std::vector<std::int32_t> SlotId;
    std::vector<Key> DeadBits;
    std::vector<SumChain> SlotMembers;
    std::vector<std::int32_t> IdSlot;
    std::vector<std::int32_t> Partner;
    std::vector<Key> CandidateKey;
    std::vector<long double> CandidateExact;
    std::vector<std::uint8_t> Stale;
    std::vector<std::int32_t> DependentHead;
    std::vector<std::int32_t> DependentId;
    std::vector<std::int32_t> DependentNext;
    std::vector<CacheEntry> Cache;
    std::vector<Remembered> RememberedPartners;
    std::vector<Found> FoundPartners;
    std::vector<double> OrderedKeys;
    std::vector<std::int32_t> NewlyStale;
    std::vector<std::int32_t> Tournament;
    std::vector<std::int32_t> CompactLive;
    std::vector<long double> Sums;
    std::vector<std::int32_t> Order;
    std::vector<std::int32_t> ObjectSlot;
    std::vector<std::int32_t> RowBest;
    std::vector<Key> RowBestKey;
    std::vector<std::size_t> MeanRowStart;
    std::vector<std::int32_t> MeanEpoch;
    std::vector<std::int32_t> EpochSlots;
    std::vector<std::int32_t> SlotSize;
    std::vector<std::int32_t> IdSize;
    std::vector<std::int32_t> LiveSlots;
};

Tables& SharedTables()
{
    static thread_local Tables tables;
    return tables;
}

template <class Rule, class Order>
class CandidateMerge {
    static constexpr bool Average = Rule::Values == NewValues::Averaged;
    static constexpr bool Formula = Rule::Values == NewValues::Formula;
    // Group average and the formulas keep the exact value of every
    // candidate; the copying rules find it through the key's origin.
    static constexpr bool KeepsExact = Average || Formula;
    // Keys of similarities are negated: the smallest key is always merged first.
    static constexpr Key Flip = Order::Similarities ? SignBit : 0;
    static constexpr Key LowMask = Rule::Values == NewValues::Copied ? OriginMask : 0;
    // A quiet NaN: or-ed into the key of an empty slot it makes the key
    // compare false with everything.
    static constexpr Key DeadBits = 0x7FF8000000000000ull;
    // Partners remembered by the first full scan of a candidate's row.
    static constexpr int FirstCacheSize = 8;
    // How far ahead runs along a row (elements) and down a column (rows) are
    // prefetched; the hardware alone does not keep up with these patterns.
    static constexpr int RowAhead = 64;
    static constexpr int ColumnAhead = 16;

public:
    CandidateMerge(const TriangularMatrix& matrix, int objectCount, long double leafHeight)
        : matrix_(matrix), n_(objectCount), leafHeight_(leafHeight)
    {
    }

    ClusterTree Run();

private:
    // CandidateStep.h: the input pass, the merge step, the compaction.
    void Prepare();
    void MergeStep(bool last);
    void Compact();

    // CandidateRenewal.h.
    void SetCandidate(int c, int partner, Key key, long double exact);
    void SetNoCandidate(int c);
    void MarkStale(int partner);
    void Renew(int c);
    void ScanRow(int c);
    void SortFound(int sc, Found* found, int count) const;

    // CandidateTournament.h.
    int Winner(int first, int second) const;
    void UpdateTournament(int slot);
    void RebuildTournament();

    // CandidateRows.h: the best pair of a new cluster, gathered while its
    // values are computed.
    struct Best {
        double Ordered = std::numeric_limits<double>::infinity();
        int Slot = -1;
        Key PairKey = NoKey;
    };
    void Offer(Best& best, int slot, int y, Key key) const;
    Best CombineRows(int sa, int sb, int sm);
    Best AverageRows(int sm, int merged, const std::vector<std::int32_t>& ms);
    Best FormulaRows(int sa, int sb, int sm, long double d12, int na, int nb);
    // CandidateRows.h too: the formulas' input pass.
    bool FormulaInput();
    static bool Refused(long double d, long double square);
    static std::size_t ColumnOffset(int y);

    bool Alive(int id) const { return idSlot_[id] >= 0; }

    void SetSlot(int slot, int id)
    {
        slotId_[slot] = id;
        deadBits_[slot] = id != 0 ? 0 : DeadBits;
        if (id != 0)
            idSlot_[id] = slot;
        if constexpr (Average) {
            if (id != 0) {
                const auto& members = tree_.Node(id).Members;
                slotMembers_[slot] = {members.data(), static_cast<std::int32_t>(members.size())};
                epochSlots_[Epoch(epochs_ - 1) + id] = slot;
                for (const std::int32_t object : members)
                    objectSlot_[object - 1] = slot;
            } else {
                slotMembers_[slot] = {nullptr, 0};
            }
        }
        if constexpr (Formula)
            slotSize_[slot] = id != 0 ? idSize_[id] : 0;
    }

    // The exact value of the pair of the clusters in slots p and q, whose key
    // is `key`: complete and single linkage find it through the origin in the
    // key, group average in the input (two objects) or the table of means,
    // the formulas in their triangle of values.
    long double PairValue(int p, int q, Key key) const
    {
        if constexpr (Formula) {
            (void)key;
            return LoadPacked(ValueAt(Base(std::max(p, q)) + static_cast<std::size_t>(std::min(p, q))));
        } else if constexpr (Average) {
            const int x = slotId_[p];
            const int y = slotId_[q];
            if (x <= n_ && y <= n_)
                return input_[x > y ? Base(x - 1) + (y - 1) : Base(y - 1) + (x - 1)];
            return MeanOf(std::max(x, y), std::min(x, y));
        } else {
            (void)p;
            (void)q;
            return input_[key & OriginMask];
        }
    }

    // Group average: the mean of the merged cluster m with the older
    // cluster x, kept in m's row of means by x's slot at m's creation. The
    // rows never move; a compaction only starts a new epoch of slots.
    std::size_t Epoch(int epoch) const
    {
        return static_cast<std::size_t>(epoch) * 2 * static_cast<std::size_t>(n_);
    }

    long double MeanOf(int m, int x) const
    {
        const int epoch = meanEpoch_[m];
        const std::size_t k = meanRowStart_[m] + static_cast<std::size_t>(epochSlots_[Epoch(epoch) + x]);
        long double mean = 0.0L;
        std::memcpy(&mean, means_ + k * InputSquare::Bytes, InputSquare::Bytes);
        return mean;
    }

    long double CandidateValue(int c) const
    {
        if constexpr (KeepsExact)
            return candidateExact_[c];
        else
            return input_[candidateKey_[c] & OriginMask];
    }

    // Formulas: the exact value at index k of the triangle, and the key of
    // the k-th pair: kept in the triangle of keys by the other rules, made
    // from the value by the formulas, which keep no keys.
    unsigned char* ValueAt(std::size_t k) const { return values_ + k * PackedBytes; }
    Key KeyAt(std::size_t k) const
    {
        if constexpr (Formula)
            return StoredKey(ValueAt(k), Flip);
        else
            return keys_[k];
    }

    // Negative when the first value is merged before the second, positive
    // when after, 0 when they are equal. The keys decide unless they are
    // equal; then the values do, unless every key is exact.
    template <class First, class Second>
    int Compare(Key first, First firstValue, Key second, Second secondValue) const
    {
        const double a = Ordered(first, LowMask);
        const double b = Ordered(second, LowMask);
        if (a != b)
            return a < b ? -1 : 1;
        if (keysExact_)
            return 0;
        const long double x = firstValue();
        const long double y = secondValue();
        if (Order::Better(x, y))
            return -1;
        if (Order::Better(y, x))
            return 1;
        return 0;
    }

    const TriangularMatrix& matrix_;
    const int n_;
    const long double leafHeight_;
    ClusterTree tree_;
    std::int32_t nextClusterId_ = 0;
    // The input values, packed lower triangle (TriangularMatrix's layout).
    const long double* input_ = nullptr;
    bool keysExact_ = false;
    // Keys of the pairs of live clusters by slot; group average also keeps
    // the exact means of pairs with a merged cluster.
    Key* keys_ = nullptr;
    // The means as 10-byte reals, like the input square.
    unsigned char* means_ = nullptr;
    // Slots hold clusters in id order: 0..range_-1 are in use, liveCount_
    // of them hold a cluster; capacity_ bounds range_.
    int range_ = 0;
    int liveCount_ = 0;
    int capacity_ = 0;
    Tables& tables_ = SharedTables();
    std::vector<std::int32_t>& slotId_ = tables_.SlotId; // 0: empty
    std::vector<Key>& deadBits_ = tables_.DeadBits; // DeadBits when empty, else 0
    std::vector<SumChain>& slotMembers_ = tables_.SlotMembers; // group average: each slot's objects
    std::vector<std::int32_t>& idSlot_ = tables_.IdSlot; // -1: merged away
    // By id: the candidate (the best partner among smaller ids), its key and
    // for group average and the formulas its exact value; stale: the partner
    // was merged away, the key is a bound.
    std::vector<std::int32_t>& partner_ = tables_.Partner;
    std::vector<Key>& candidateKey_ = tables_.CandidateKey;
    std::vector<long double>& candidateExact_ = tables_.CandidateExact;
    std::vector<std::uint8_t>& stale_ = tables_.Stale;
    // For every id, the clusters that took it as candidate (a linked list;
    // entries whose candidate has moved on are skipped).
    std::vector<std::int32_t>& dependentHead_ = tables_.DependentHead;
    std::vector<std::int32_t>& dependentId_ = tables_.DependentId;
    std::vector<std::int32_t>& dependentNext_ = tables_.DependentNext;
    // The partners remembered by the last row scan of every id.
    std::vector<CacheEntry>& cache_ = tables_.Cache;
    std::vector<Remembered>& remembered_ = tables_.RememberedPartners;
    std::vector<Found>& found_ = tables_.FoundPartners;
    std::vector<double>& orderedKeys_ = tables_.OrderedKeys;
    std::vector<std::int32_t>& newlyStale_ = tables_.NewlyStale;
    // A tournament over the slots: node i holds the slot whose candidate is
    // merged first among the leaves below it; leaves_ is a power of two.
    int leaves_ = 0;
    int eagerRenewals_ = 0;
    std::vector<std::int32_t>& tournament_ = tables_.Tournament;
    std::vector<std::int32_t>& compactLive_ = tables_.CompactLive;
    // Group average: the live clusters of a merge, their slots and sums.
    std::vector<long double>& sums_ = tables_.Sums;
    std::vector<std::int32_t>& order_ = tables_.Order;
    std::vector<std::int32_t>& objectSlot_ = tables_.ObjectSlot; // group average: each object's slot
    std::vector<std::int32_t>& rowBest_ = tables_.RowBest;
    std::vector<Key>& rowBestKey_ = tables_.RowBestKey;
    // Group average: where each merged cluster's row of means starts, the
    // epoch of slots it was made in, and every cluster's slot in every epoch.
    std::vector<std::size_t>& meanRowStart_ = tables_.MeanRowStart;
    std::vector<std::int32_t>& meanEpoch_ = tables_.MeanEpoch;
    std::vector<std::int32_t>& epochSlots_ = tables_.EpochSlots;
    std::size_t meanRowEnd_ = 0;
    int epochs_ = 0;
    std::optional<InputSquare> square_;
    // Formulas: the object count of each slot's cluster and of every id.
    std::vector<std::int32_t>& slotSize_ = tables_.SlotSize;
    std::vector<std::int32_t>& idSize_ = tables_.IdSize;
    std::vector<std::int32_t>& liveSlots_ = tables_.LiveSlots;
    // Formulas: the exact values of the pairs of live clusters by slot, as
    // 10-byte reals, in place of the keys.
    unsigned char* values_ = nullptr;
};

} // namespace
} // namespace vantrel::engine
