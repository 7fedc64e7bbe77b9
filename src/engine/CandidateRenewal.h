#pragma once

// Engine-private, part of CandidateMerge (CandidateEngine.h): every live
// cluster's candidate, the best partner among the live clusters with
// smaller ids; candidates that lose their partner turn stale, and are
// renewed from the partners remembered at the last scan of the cluster's
// row, or by a new scan.

#include "engine/CandidateEngine.h"

namespace vantrel::engine {
namespace {

template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::SetCandidate(int c, int partner, Key key, long double exact)
{
    partner_[c] = partner;
    candidateKey_[c] = key;
    if constexpr (KeepsExact)
        candidateExact_[c] = exact;
    else
        (void)exact;
    stale_[c] = 0;
    dependentId_.push_back(c);
    dependentNext_.push_back(dependentHead_[partner]);
    dependentHead_[partner] = static_cast<std::int32_t>(dependentId_.size() - 1);
}

template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::SetNoCandidate(int c)
{
    partner_[c] = 0;
    candidateKey_[c] = NoKey;
    stale_[c] = 0;
}

// Every cluster whose candidate was `partner` loses it.
template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::MarkStale(int partner)
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

// c lost its candidate. Its remembered partners are the best of its row at
// the last scan; partners only disappear since, so the first one still
// alive is the best now. Otherwise scan the row again.
template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::Renew(int c)
{
    Remembered& remembered = remembered_[c];
    const CacheEntry* entries = cache_.data() + remembered.Offset;
    while (remembered.Position < remembered.Count && !Alive(entries[remembered.Position].Id))
        ++remembered.Position;
    if (remembered.Position < remembered.Count) {
        const CacheEntry& entry = entries[remembered.Position];
        SetCandidate(c, entry.Id, entry.PairKey,
                     KeepsExact ? PairValue(idSlot_[c], idSlot_[entry.Id], entry.PairKey) : 0.0L);
        return;
    }
    if (remembered.Complete) {
        SetNoCandidate(c);
        return;
    }
    ScanRow(c);
}

// The best partners of c among the live clusters with smaller ids, which
// are the live slots before c's, in merge order: better value first, ties
// to the smaller slot. The row of c holds just those. A cluster that needs
// a second scan remembers twice as many partners, so that data which make
// many clusters lose their candidates again and again (see WorstCases.h,
// "renewal adversary") cost O(log N) scans per cluster, not O(N).
template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::ScanRow(int c)
{
    const int sc = idSlot_[c];
    Remembered& remembered = remembered_[c];
    const int capacity =
        remembered.Capacity == 0 ? FirstCacheSize : std::max(1, std::min(2 * remembered.Capacity, sc));
    const std::size_t base = Base(sc);
    const Key* row = Formula ? nullptr : keys_ + base;
    // The key of the pair with the cluster in slot y, and a look ahead.
    auto keyAt = [&](int y) {
        if constexpr (Formula)
            return KeyAt(base + static_cast<std::size_t>(y));
        else
            return row[y];
    };
    auto prefetch = [&](int y) {
        if constexpr (Formula)
            Prefetch(ValueAt(base + static_cast<std::size_t>(y + RowAhead)));
        else
            Prefetch(row + y + RowAhead);
    };
    // Scanning in slot order, an equal value never goes before one already
    // found.
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
            prefetch(y);
            const Key key = keyAt(y);
            live += deadBits_[y] == 0;
            // Most values are worse than the best few; empty slots are NaN.
            // One rarely taken branch tests both.
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
        // All live partners, then the best `capacity` of them: first by the
        // keys alone (a heap of the best keys so far gives the threshold;
        // most keys fail it at once), then those at or below it in full
        // merge order.
        found.resize(static_cast<std::size_t>(sc));
        Found* all = found.data();
        const Key* dead = deadBits_.data();
        std::vector<double>& heap = orderedKeys_;
        heap.clear();
        for (int y = 0; y < sc; ++y) {
            prefetch(y);
            all[live] = {y, keyAt(y)};
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
                     KeepsExact ? PairValue(sc, found[0].Slot, found[0].PairKey) : 0.0L);
}

// Partners of the cluster in slot sc into merge order: by key, then slot;
// runs of equal keys then by value, then slot, unless keys are exact.
template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::SortFound(int sc, Found* found, int count) const
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
        while (end < count && Ordered(found[end].PairKey, LowMask) == Ordered(found[first].PairKey, LowMask))
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

} // namespace
} // namespace vantrel::engine
