// The merge steps by candidates. The reasoning is in Agglomeration.cpp;
// the comments here only say which part of it a piece of code carries out.

#include "engine/CandidateMerge.h"

#include "common/Errors.h"
#include "common/Limits.h"
#include "engine/AnalysisData.h"
#include "engine/GroupAverageSums.h"
#include "engine/MergeRules.h"
#include "engine/PairKeys.h"
#include "engine/TriangularMatrix.h"
#include "engine/Workspace.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
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
inline std::size_t Base(int slot)
{
    return static_cast<std::size_t>(slot) * static_cast<std::size_t>(slot - 1) / 2;
}

inline void Prefetch(const void* address) { __builtin_prefetch(address); }

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
    std::vector<long double> CandidateMean;
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
};

Tables& SharedTables()
{
    static thread_local Tables tables;
    return tables;
}

template <class Rule, class Order>
class CandidateMerge {
    static constexpr bool Average = Rule::UsesMembers;
    // Keys of similarities are negated: the smallest key is always merged first.
    static constexpr Key Flip = Order::Similarities ? SignBit : 0;
    static constexpr Key LowMask = Average ? 0 : OriginMask;
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

    ClusterTree Run()
    {
        // With fewer than two objects there is no pair whose clusters could
        // be looked up.
        if (n_ < 2)
            throw Error("Range error in SeekC");
        if (n_ > matrix_.Capacity() || n_ > OriginObjects)
            throw Error(TooManyObjectsText(n_));
        Prepare();
        for (int merges = 1; merges < n_; ++merges)
            MergeStep(merges == n_ - 1);
        return std::move(tree_);
    }

private:
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
    }

    // The exact value of the pair of the clusters in slots p and q, whose key
    // is `key`: complete and single linkage find it through the origin in the
    // key, group average in the input (two objects) or the table of means.
    long double PairValue(int p, int q, Key key) const
    {
        if constexpr (Average) {
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
        if constexpr (Average)
            return candidateMean_[c];
        else
            return input_[candidateKey_[c] & OriginMask];
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

    void SetCandidate(int c, int partner, Key key, long double mean)
    {
        partner_[c] = partner;
        candidateKey_[c] = key;
        if constexpr (Average)
            candidateMean_[c] = mean;
        else
            (void)mean;
        stale_[c] = 0;
        dependentId_.push_back(c);
        dependentNext_.push_back(dependentHead_[partner]);
        dependentHead_[partner] = static_cast<std::int32_t>(dependentId_.size() - 1);
    }

    void SetNoCandidate(int c)
    {
        partner_[c] = 0;
        candidateKey_[c] = NoKey;
        stale_[c] = 0;
    }

    void Prepare()
    {
        // Slots are handed out in id order, so at most n + n/3 + 1 are in
        // use before a compaction (see MergeStep); the extra 64 cover the
        // small runs that never compact.
        capacity_ = n_ + n_ / 2 + 64;
        Workspace& workspace = SharedWorkspace();
        keys_ = static_cast<Key*>(workspace.Keys.Reserve(Base(capacity_) * sizeof(Key)));
        if constexpr (Average) {
            // A row per merged cluster, as long as the slots in use then,
            // grown as rows come (see AverageRows). The room for the longest
            // rows is reserved at once: untouched, it costs no memory, and
            // the rows are never copied to a larger block.
            workspace.Means.reserve(static_cast<std::size_t>(n_) * static_cast<std::size_t>(capacity_) *
                                    InputSquare::Bytes);
            means_ =
                Workspace::Reserve(workspace.Means, static_cast<std::size_t>(n_) * 64 * InputSquare::Bytes);
        }
        input_ = matrix_.Row(1);

        const int ids = 2 * n_;
        leaves_ = static_cast<int>(std::bit_ceil(static_cast<unsigned>(capacity_)));
        slotId_.assign(leaves_, 0);
        deadBits_.assign(leaves_, DeadBits);
        if constexpr (Average) {
            slotMembers_.assign(leaves_, SumChain{nullptr, 0});
            objectSlot_.assign(n_, 0);
        }
        idSlot_.assign(ids, -1);
        partner_.assign(ids, 0);
        candidateKey_.assign(ids, NoKey);
        if constexpr (Average)
            candidateMean_.assign(ids, 0.0L);
        stale_.assign(ids, 0);
        dependentHead_.assign(ids, -1);
        dependentId_.clear();
        dependentNext_.clear();
        cache_.clear();
        remembered_.assign(ids, Remembered{});
        range_ = n_;
        liveCount_ = n_;
        if constexpr (Average) {
            meanRowStart_.assign(ids, 0);
            meanEpoch_.assign(ids, 0);
            meanRowEnd_ = 0;
            epochs_ = 1;
            epochSlots_.assign(Epoch(1), -1);
        }

        tree_.AddLeaves(n_, leafHeight_);
        for (int c = 1; c <= n_; ++c)
            SetSlot(c - 1, c);

        // One pass over the input: keys, checks, and each object's first
        // candidate from its own row (ascending partners, so the first of
        // equal values wins). Group average makes its square of the input
        // in the same pass, tile by tile; each row's partners still come in
        // ascending order.
        InputScan scan;
        bool finite = true;
        if constexpr (Average) {
            std::vector<std::int32_t>& best = rowBest_;
            best.assign(n_ + 1, 0);
            std::vector<Key>& bestKey = rowBestKey_;
            bestKey.assign(n_ + 1, 0);
            unsigned char* square = static_cast<unsigned char*>(workspace.Square.Reserve(
                static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_) * InputSquare::Bytes));
            square_.emplace(input_, n_, square, [&](int x, int y, const long double* value) {
                finite &= std::fabs(*value) <= LDBL_MAX;
                const Key key = ValueKey(*value, Flip);
                const std::size_t base = Base(x - 1);
                keys_[base + (y - 1)] = key;
                if (y == 1 || Compare(
                                  key, [&] { return *value; }, bestKey[x],
                                  [&] { return input_[base + (best[x] - 1)]; }) < 0) {
                    best[x] = y;
                    bestKey[x] = key;
                }
            });
            for (int c = 2; c <= n_; ++c)
                SetCandidate(c, best[c], bestKey[c], input_[Base(c - 1) + (best[c] - 1)]);
        } else {
            for (int c = 2; c <= n_; ++c) {
                const int slot = c - 1;
                const std::size_t base = Base(slot);
                const long double* row = input_ + base;
                Key* out = keys_ + base;
                int best = 0;
                double bestOrdered = std::numeric_limits<double>::infinity();
                for (int q = 0; q < slot; ++q) {
                    Prefetch(row + q + RowAhead);
                    const Key key = InputKey(row[q], static_cast<std::uint32_t>(base + q), Flip, scan);
                    out[q] = key;
                    const double ordered = Ordered(key, LowMask);
                    // Equal keys: the values decide, the first of equal ones stays.
                    if (ordered <= bestOrdered &&
                        (ordered < bestOrdered || Order::Better(row[q], row[best]))) {
                        best = q;
                        bestOrdered = ordered;
                    }
                }
                SetCandidate(c, best + 1, out[best], row[best]);
            }
        }
        const unsigned flags = scan.Flags();
        if (!finite || (flags & NotFinite) != 0)
            throw Error("The matrix holds a value that is not a finite number");
        keysExact_ = !Average && (flags & NotKeyExact) == 0;

        tournament_.assign(2 * static_cast<std::size_t>(leaves_), 0);
        RebuildTournament();
        nextClusterId_ = n_;
    }

    // Of the candidates of the clusters in two slots, the one merged first:
    // the better value, ties to the smaller id, which is the smaller slot.
    int Winner(int first, int second) const
    {
        const int c = slotId_[first];
        const int d = slotId_[second];
        const Key ck = c != 0 ? candidateKey_[c] : NoKey;
        const Key dk = d != 0 ? candidateKey_[d] : NoKey;
        if (dk == NoKey)
            return first;
        if (ck == NoKey)
            return second;
        const int order = Compare(
            ck, [&] { return CandidateValue(c); }, dk, [&] { return CandidateValue(d); });
        return order < 0 || (order == 0 && first < second) ? first : second;
    }

    void UpdateTournament(int slot)
    {
        for (int i = (leaves_ + slot) >> 1; i >= 1; i >>= 1)
            tournament_[i] = Winner(tournament_[2 * i], tournament_[2 * i + 1]);
    }

    void RebuildTournament()
    {
        for (int s = 0; s < leaves_; ++s)
            tournament_[leaves_ + s] = s;
        for (int i = leaves_ - 1; i >= 1; --i)
            tournament_[i] = Winner(tournament_[2 * i], tournament_[2 * i + 1]);
    }

    // Every cluster whose candidate was `partner` loses it.
    void MarkStale(int partner)
    {
        for (int e = dependentHead_[partner]; e >= 0; e = dependentNext_[e]) {
            const int c = dependentId_[e];
            if (Alive(c) && partner_[c] == partner && stale_[c] == 0) {
                stale_[c] = 1;
                newlyStale_.push_back(c);
            }
        }
        dependentHead_[partner] = -1;
    }

    // c lost its candidate. Its remembered partners are the best of its row
    // at the last scan; partners only disappear since, so the first one
    // still alive is the best now. Otherwise scan the row again.
    void Renew(int c)
    {
        Remembered& remembered = remembered_[c];
        const CacheEntry* entries = cache_.data() + remembered.Offset;
        while (remembered.Position < remembered.Count && !Alive(entries[remembered.Position].Id))
            ++remembered.Position;
        if (remembered.Position < remembered.Count) {
            const CacheEntry& entry = entries[remembered.Position];
            SetCandidate(c, entry.Id, entry.PairKey,
                         Average ? PairValue(idSlot_[c], idSlot_[entry.Id], entry.PairKey) : 0.0L);
            return;
        }
        if (remembered.Complete) {
            SetNoCandidate(c);
            return;
        }
        ScanRow(c);
    }

    // The best partners of c among the live clusters with smaller ids, which
    // are the live slots before c's, in merge order: better value first,
    // ties to the smaller slot. The row of c holds just those. A cluster
    // that needs a second scan remembers twice as many partners, so that
    // data which make many clusters lose their candidates again and again
    // (see WorstCases.h, "renewal adversary") cost O(log N) scans per
    // cluster, not O(N).
    void ScanRow(int c)
    {
        const int sc = idSlot_[c];
        Remembered& remembered = remembered_[c];
        const int capacity =
            remembered.Capacity == 0 ? FirstCacheSize : std::max(1, std::min(2 * remembered.Capacity, sc));
        const Key* row = keys_ + Base(sc);
        // Scanning in slot order, an equal value never goes before one
        // already found.
        auto before = [&](const Found& first, const Found& second) {
            const int order = Compare(
                first.PairKey, [&] { return PairValue(sc, first.Slot, first.PairKey); }, second.PairKey,
                [&] { return PairValue(sc, second.Slot, second.PairKey); });
            return order < 0 || (order == 0 && first.Slot < second.Slot);
        };
        std::vector<Found>& found = found_;
        found.clear();
        int live = 0;
        if (capacity <= FirstCacheSize) {
            double threshold = std::numeric_limits<double>::infinity();
            for (int y = 0; y < sc; ++y) {
                Prefetch(row + y + RowAhead);
                const Key key = row[y];
                live += deadBits_[y] == 0;
                // Most values are worse than the best few; empty slots are
                // NaN. One rarely taken branch tests both.
                if (!(std::bit_cast<double>((key & ~LowMask) | deadBits_[y]) <= threshold))
                    continue;
                const Found entry{y, key};
                if (static_cast<int>(found.size()) == capacity) {
                    if (!before(entry, found.back()))
                        continue;
                    found.pop_back();
                }
                found.insert(std::upper_bound(found.begin(), found.end(), entry, before), entry);
                if (static_cast<int>(found.size()) == capacity)
                    threshold = Ordered(found.back().PairKey, LowMask);
            }
        } else {
            // All live partners, then the best `capacity` of them: first by
            // the keys alone (a heap of the best keys so far gives the
            // threshold; most keys fail it at once), then those at or below
            // it in full merge order.
            found.resize(static_cast<std::size_t>(sc));
            Found* all = found.data();
            const Key* dead = deadBits_.data();
            std::vector<double>& heap = orderedKeys_;
            heap.clear();
            for (int y = 0; y < sc; ++y) {
                Prefetch(row + y + RowAhead);
                all[live] = {y, row[y]};
                live += dead[y] == 0;
            }
            if (live > capacity) {
                for (int e = 0; e < live; ++e) {
                    const double ordered = Ordered(all[e].PairKey, LowMask);
                    if (static_cast<int>(heap.size()) < capacity) {
                        heap.push_back(ordered);
                        std::push_heap(heap.begin(), heap.end());
                    } else if (ordered < heap.front()) {
                        std::pop_heap(heap.begin(), heap.end());
                        heap.back() = ordered;
                        std::push_heap(heap.begin(), heap.end());
                    }
                }
                const double threshold = heap.front();
                int kept = 0;
                for (int e = 0; e < live; ++e)
                    if (Ordered(all[e].PairKey, LowMask) <= threshold)
                        all[kept++] = all[e];
                SortFound(sc, all, kept);
                found.resize(static_cast<std::size_t>(std::min(kept, capacity)));
            } else {
                SortFound(sc, all, live);
                found.resize(static_cast<std::size_t>(live));
            }
        }
        const int count = static_cast<int>(found.size());
        if (count > remembered.Capacity) {
            remembered.Offset = cache_.size();
            cache_.resize(cache_.size() + static_cast<std::size_t>(capacity));
            remembered.Capacity = capacity;
        }
        CacheEntry* entries = cache_.data() + remembered.Offset;
        for (int k = 0; k < count; ++k)
            entries[k] = {slotId_[found[k].Slot], found[k].PairKey};
        remembered.Count = count;
        remembered.Position = 0;
        remembered.Complete = live <= count;
        if (count == 0)
            SetNoCandidate(c);
        else
            SetCandidate(c, entries[0].Id, entries[0].PairKey,
                         Average ? PairValue(sc, found[0].Slot, found[0].PairKey) : 0.0L);
    }

    // Partners of the cluster in slot sc into merge order: by key, then
    // slot; runs of equal keys then by value, then slot, unless keys are
    // exact.
    void SortFound(int sc, Found* found, int count) const
    {
        std::sort(found, found + count, [](const Found& x, const Found& y) {
            const double a = Ordered(x.PairKey, LowMask);
            const double b = Ordered(y.PairKey, LowMask);
            return a < b || (a == b && x.Slot < y.Slot);
        });
        if (keysExact_)
            return;
        for (int first = 0; first < count;) {
            int end = first + 1;
            while (end < count &&
                   Ordered(found[end].PairKey, LowMask) == Ordered(found[first].PairKey, LowMask))
                ++end;
            if (end - first > 1)
                std::sort(found + first, found + end, [&](const Found& x, const Found& y) {
                    const long double a = PairValue(sc, x.Slot, x.PairKey);
                    const long double b = PairValue(sc, y.Slot, y.PairKey);
                    return Order::Better(a, b) || (!Order::Better(b, a) && x.Slot < y.Slot);
                });
            first = end;
        }
    }

    // The best pair of the new cluster in slot `slot`, gathered while its
    // values are computed: every live cluster is older, so all are partners,
    // and in slot order an equal value never replaces the best.
    struct Best {
        double Ordered = std::numeric_limits<double>::infinity();
        int Slot = -1;
        Key PairKey = NoKey;
    };
    void Offer(Best& best, int slot, int y, Key key) const
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

    // Complete or single linkage: the values of the new cluster, in slot
    // sm, from those of its children in slots sa (Left) < sb.
    Best CombineRows(int sa, int sb, int sm)
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
        // Along the rows, empty slots are computed too, without a branch:
        // their keys are keys of this run (or NoKey), so even their ties look
        // up valid input values.
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
        // get NoKey (whose origin is 0), so that every key a later merge of
        // this cluster combines comes from this run's input.
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
    static std::size_t ColumnOffset(int y)
    {
        return static_cast<std::size_t>(ColumnAhead) * static_cast<std::size_t>(y) +
               ColumnAhead * (ColumnAhead - 1) / 2;
    }

    // Group average: the means of the new cluster in slot sm to every live
    // cluster, from sums that follow the pair-list order (GroupAverageSums).
    Best AverageRows(int sm, int merged, const std::vector<std::int32_t>& ms)
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

    // Moves the live clusters to the lowest slots, keeping their order. Every
    // pair moves to a place at or before its old one, in increasing order, so
    // nothing is overwritten before it is read.
    void Compact()
    {
        std::vector<std::int32_t>& live = compactLive_;
        live.clear();
        for (int s = 0; s < range_; ++s)
            if (slotId_[s] != 0)
                live.push_back(s);
        const int count = static_cast<int>(live.size());
        if constexpr (Average) {
            ++epochs_;
            epochSlots_.resize(Epoch(epochs_), -1);
        }
        for (int p = 1; p < count; ++p) {
            const std::size_t from = Base(live[p]);
            const std::size_t to = Base(p);
            for (int q = 0; q < p; ++q) {
                keys_[to + q] = keys_[from + live[q]];
            }
        }
        for (int p = 0; p < count; ++p) {
            const int id = slotId_[live[p]];
            SetSlot(live[p], 0);
            SetSlot(p, id);
        }
        range_ = count;
        RebuildTournament();
    }

    void MergeStep(bool last)
    {
        // The best candidate, ties to the smallest id. A stale candidate's
        // value is a bound its renewal can only worsen, so only a stale one
        // that comes out on top needs renewing before the choice is final.
        int slot = tournament_[1];
        int b = slotId_[slot];
        int renewals = 0;
        while (stale_[b] != 0) {
            Renew(b);
            ++renewals;
            UpdateTournament(slot);
            slot = tournament_[1];
            b = slotId_[slot];
        }
        const int a = partner_[b];

        auto node = std::make_unique<ClusterNode>();
        node->Id = ++nextClusterId_;
        node->Left = &tree_.Node(a);
        node->Right = &tree_.Node(b);
        node->Height = CandidateValue(b);
        if constexpr (Average) {
            const auto& left = node->Left->Members;
            const auto& right = node->Right->Members;
            node->Members.reserve(left.size() + right.size());
            std::merge(left.begin(), left.end(), right.begin(), right.end(),
                       std::back_inserter(node->Members));
        }
        const ClusterNode& merged = tree_.Add(std::move(node));
        if (last)
            return;

        // The new cluster is the newest: it goes after all slots in use.
        const int m = merged.Id;
        const int sa = idSlot_[a];
        const int sb = idSlot_[b];
        const int sm = range_++;
        SetSlot(sa, 0);
        SetSlot(sb, 0);
        idSlot_[a] = -1;
        idSlot_[b] = -1;
        SetSlot(sm, m);
        Best best;
        if constexpr (Average)
            best = AverageRows(sm, m, merged.Members);
        else
            best = CombineRows(sa, sb, sm);
        SetCandidate(m, slotId_[best.Slot], best.PairKey,
                     Average ? PairValue(sm, best.Slot, best.PairKey) : 0.0L);
        newlyStale_.clear();
        MarkStale(a);
        MarkStale(b);
        --liveCount_;
        // When many stale candidates came out on top before this merge (or
        // were renewed at the last one), each with its own way up the
        // tournament (WorstCases.h, "renewal adversary"), and this merge
        // leaves many stale again, renew them now and build the tournament
        // once. Renewing early never changes a candidate, and a cluster
        // still scans its row O(log N) times at most. Stale candidates that
        // would not come out on top (ties to smaller ids, as with all values
        // equal) do not make many renewals, and stay stale.
        const int many = leaves_ / 16;
        const bool manyStale =
            renewals + eagerRenewals_ > many && static_cast<int>(newlyStale_.size()) > many;
        eagerRenewals_ = 0;
        if (manyStale) {
            for (const int c : newlyStale_)
                Renew(c);
            eagerRenewals_ = static_cast<int>(newlyStale_.size());
        }
        // Compacting once half the slots are empty keeps the rows dense and
        // the slots within capacity_: after a compaction to L live clusters,
        // L/3 merges pass before the next one.
        if ((range_ >= 64 && 2 * liveCount_ <= range_) || range_ == capacity_) {
            Compact();
        } else if (manyStale) {
            RebuildTournament();
        } else {
            UpdateTournament(sa);
            UpdateTournament(sb);
            UpdateTournament(sm);
        }
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
    // for group average its exact mean; stale: the partner was merged away,
    // the key is a bound.
    std::vector<std::int32_t>& partner_ = tables_.Partner;
    std::vector<Key>& candidateKey_ = tables_.CandidateKey;
    std::vector<long double>& candidateMean_ = tables_.CandidateMean;
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
};

template <class Order>
ClusterTree Merge(const TriangularMatrix& matrix, int n, long double leafHeight, Linkage linkage)
{
    switch (linkage) {
    case Linkage::Complete:
        return CandidateMerge<KeepFarther, Order>(matrix, n, leafHeight).Run();
    case Linkage::Average:
        return CandidateMerge<GroupAverage, Order>(matrix, n, leafHeight).Run();
    case Linkage::Single:
        return CandidateMerge<KeepNearer, Order>(matrix, n, leafHeight).Run();
    default:
        break;
    }
    throw Error("DistType Error");
}

} // namespace

ClusterTree MergeByCandidates(const TriangularMatrix& matrix, int objectCount, long double leafHeight,
                              Linkage linkage, bool similarities)
{
    return similarities ? Merge<LargestFirst>(matrix, objectCount, leafHeight, linkage)
                        : Merge<SmallestFirst>(matrix, objectCount, leafHeight, linkage);
}

} // namespace vantrel::engine
