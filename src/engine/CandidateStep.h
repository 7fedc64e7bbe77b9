#pragma once

// Engine-private, part of CandidateMerge (CandidateEngine.h): the run, the
// pass over the input that makes the first keys and candidates, the merge
// step, and the compaction of the slots.

#include "common/Errors.h"
#include "engine/CandidateEngine.h"
#include "engine/CandidateRenewal.h"
#include "engine/CandidateRows.h"
#include "engine/CandidateTournament.h"
#include "engine/Workspace.h"

#include <cfloat>
#include <cmath>
#include <iterator>
#include <memory>

namespace vantrel::engine {
namespace {

template <class Rule, class Order>
inline ClusterTree CandidateMerge<Rule, Order>::Run()
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

template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::Prepare()
{
    // Slots are handed out in id order, so at most n + n/3 + 1 are in
    // use before a compaction (see MergeStep); the extra 64 cover the
    // small runs that never compact.
    capacity_ = n_ + n_ / 2 + 64;
    Workspace& workspace = SharedWorkspace();
    if constexpr (Formula)
        values_ = static_cast<unsigned char*>(workspace.Pairs.Reserve(Base(capacity_) * PackedBytes));
    else
        keys_ = static_cast<Key*>(workspace.Pairs.Reserve(Base(capacity_) * sizeof(Key)));
    if constexpr (Average) {
        // A row per merged cluster, as long as the slots in use then,
        // grown as rows come (see AverageRows). The room for the longest
        // rows is reserved at once: untouched, it costs no memory, and
        // the rows are never copied to a larger block.
        workspace.Means.reserve(static_cast<std::size_t>(n_) * static_cast<std::size_t>(capacity_) *
                                InputSquare::Bytes);
        means_ = Workspace::Reserve(workspace.Means, static_cast<std::size_t>(n_) * 64 * InputSquare::Bytes);
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
    if constexpr (KeepsExact)
        candidateExact_.assign(ids, 0.0L);
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
    if constexpr (Formula) {
        slotSize_.assign(leaves_, 0);
        idSize_.assign(ids, 0);
        std::fill(idSize_.begin() + 1, idSize_.begin() + 1 + n_, 1);
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
    } else if constexpr (Formula) {
        finite = FormulaInput();
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
                if (ordered <= bestOrdered && (ordered < bestOrdered || Order::Better(row[q], row[best]))) {
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
    keysExact_ = Rule::Values == NewValues::Copied && (flags & NotKeyExact) == 0;

    tournament_.assign(2 * static_cast<std::size_t>(leaves_), 0);
    RebuildTournament();
    nextClusterId_ = n_;
}

// Moves the live clusters to the lowest slots, keeping their order. Every
// pair moves to a place at or before its old one, in increasing order, so
// nothing is overwritten before it is read.
template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::Compact()
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
        if constexpr (Formula) {
            for (int q = 0; q < p; ++q)
                CopyPacked(ValueAt(to + q), ValueAt(from + live[q]));
        } else {
            for (int q = 0; q < p; ++q) {
                keys_[to + q] = keys_[from + live[q]];
            }
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

template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::MergeStep(bool last)
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
    const long double value = CandidateValue(b);

    auto node = std::make_unique<ClusterNode>();
    node->Id = ++nextClusterId_;
    node->Left = &tree_.Node(a);
    node->Right = &tree_.Node(b);
    node->Height = value;
    if constexpr (Formula) {
        if constexpr (Rule::Squares)
            node->Height = SignedRoot(value);
    }
    if constexpr (Average) {
        const auto& left = node->Left->Members;
        const auto& right = node->Right->Members;
        node->Members.reserve(left.size() + right.size());
        std::merge(left.begin(), left.end(), right.begin(), right.end(), std::back_inserter(node->Members));
    }
    const ClusterNode& merged = tree_.Add(std::move(node));
    if (last)
        return;

    // The new cluster is the newest: it goes after all slots in use.
    const int m = merged.Id;
    if constexpr (Formula)
        idSize_[m] = idSize_[a] + idSize_[b];
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
    else if constexpr (Formula)
        best = FormulaRows(sa, sb, sm, value, idSize_[a], idSize_[b]);
    else
        best = CombineRows(sa, sb, sm);
    SetCandidate(m, slotId_[best.Slot], best.PairKey,
                 KeepsExact ? PairValue(sm, best.Slot, best.PairKey) : 0.0L);
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
    const bool manyStale = renewals + eagerRenewals_ > many && static_cast<int>(newlyStale_.size()) > many;
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

} // namespace
} // namespace vantrel::engine
