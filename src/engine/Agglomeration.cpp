// The merge steps: hierarchical agglomerative clustering of N objects by
// complete linkage, group average or single linkage, on dissimilarities
// (closest pair first) or similarities (most similar pair first).
//
// The result must equal, merge for merge and bit for bit, the classic
// pair-list procedure: all live pairs in one list, the first best entry
// merged, one pair appended per other live cluster (in id order), the merged
// pairs removed by shifting. That procedure costs O(N^4). This one does not
// keep the list, only what decides it:
//
// Tie rule. New ids exceed every live id and new pairs are appended in
// ascending id order, so the list is always ordered by (larger id, smaller
// id). The first best entry is therefore found by giving each live cluster c
// a candidate: its best partner among live clusters with a smaller id, ties
// to the smallest partner. The merged pair is the best candidate, ties to
// the smallest c. Its smaller id is the Left child, the larger the Right.
//
// Upkeep. A cluster's candidates all have smaller ids, and a new cluster has
// the largest id of all, so it is nobody's candidate: values between
// unmerged clusters never change, and a merge only invalidates the candidate
// of the new cluster and of clusters whose candidate was one of the two
// merged ones. Those look first, above the lost partner, for a partner of the
// very same value (it would have lost the tie only to the merged one); only
// otherwise do they rescan all smaller live ids.
//
// Storage. Pair values of live clusters sit in a packed lower triangle
// indexed by slot; a merged cluster takes over its Left child's slot, so
// every lookup is O(1) and a run allocates one N(N-1)/2 table.
//
// Cost. Complete and single linkage: O(N^2) for typical data (O(N) per merge
// plus the rescans), a few milliseconds at N = 1000. Group average recomputes
// each new mean from the input matrix, summing over all object pairs in the
// prescribed order (objects of the other cluster outer, of the new cluster
// inner, both ascending) so that the rounding is the same as in the pair-list
// procedure; no update formula rounds the same way. That costs
// |new| * (N - |new|) additions per merge.
//
// Non-finite values never enter the tree: a matrix element that is NaN or
// infinite, or a group-average sum that overflows, is an error.

#include "engine/Agglomeration.h"

#include "engine/AnalysisData.h"
#include "engine/MergeRules.h"
#include "platform/core/Errors.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <vector>

namespace vantrel {
namespace {

template <class Order, class Rule>
class MergeEngine {
public:
    MergeEngine(const TriangularMatrix& matrix, int objectCount, long double leafHeight)
        : matrix_(matrix), n_(objectCount), leafHeight_(leafHeight)
    {
    }

    ClusterTree Run()
    {
        // With fewer than two objects there is no pair whose clusters could
        // be looked up.
        if (n_ < 2)
            throw Error("Range error in SeekC");
        if (n_ > matrix_.Capacity())
            throw Error("Too many objects for the cluster analysis");
        Prepare();
        while (MergeStep()) {
        }
        return std::move(tree_);
    }

private:
    static std::size_t Index(int p, int q)
    {
        if (p < q)
            std::swap(p, q);
        return static_cast<std::size_t>(p) * static_cast<std::size_t>(p - 1) / 2 +
               static_cast<std::size_t>(q);
    }
    long double& Value(int slotP, int slotQ) { return values_[Index(slotP, slotQ)]; }

    void Prepare()
    {
        // Slot of object i is i - 1: the packed layout of the input triangle,
        // so the table starts as a plain copy.
        const std::size_t pairs = static_cast<std::size_t>(n_) * (n_ - 1) / 2;
        const long double* input = matrix_.Row(2);
        values_.assign(input, input + pairs);
        for (long double value : values_)
            if (!std::isfinite(value))
                throw Error("The matrix holds a value that is not a finite number");

        const int ids = 2 * n_;
        slot_.assign(ids, 0);
        partner_.assign(ids, 0);
        partnerValue_.assign(ids, 0.0L);
        live_.clear();
        live_.reserve(n_);
        for (int i = 1; i <= n_; ++i) {
            auto leaf = std::make_unique<ClusterNode>();
            leaf->Id = i;
            leaf->Height = leafHeight_;
            leaf->Members = {i};
            tree_.Add(std::move(leaf));
            slot_[i] = i - 1;
            live_.push_back(i);
            SeekCandidate(i);
        }
        nextClusterId_ = n_;
    }

    // The best partner of c among all live clusters with a smaller id.
    void SeekCandidate(int c)
    {
        const int sc = slot_[c];
        int best = 0;
        long double bestValue = 0.0L;
        for (int x : live_) {
            if (x >= c)
                break;
            const long double value = Value(sc, slot_[x]);
            if (best == 0 || Order::Better(value, bestValue)) {
                best = x;
                bestValue = value;
            }
        }
        partner_[c] = best;
        partnerValue_[c] = bestValue;
    }

    // c lost its partner to a merge. Every live id below the lost one is
    // strictly worse than the lost value and none above it is better, so
    // the first equal value above it wins; failing that, rescan everything.
    void RenewCandidate(int c)
    {
        const int lost = partner_[c];
        const long double lostValue = partnerValue_[c];
        const int sc = slot_[c];
        for (auto it = std::upper_bound(live_.begin(), live_.end(), lost); *it < c; ++it) {
            const long double value = Value(sc, slot_[*it]);
            if (value == lostValue) {
                partner_[c] = *it;
                partnerValue_[c] = value;
                return;
            }
        }
        SeekCandidate(c);
    }

    // Merges the best pair; false once the root is formed.
    bool MergeStep()
    {
        int b = 0;
        for (int c : live_)
            if (partner_[c] != 0 && (b == 0 || Order::Better(partnerValue_[c], partnerValue_[b])))
                b = c;
        const int a = partner_[b];

        auto node = std::make_unique<ClusterNode>();
        node->Id = ++nextClusterId_;
        node->Left = &tree_.Node(a);
        node->Right = &tree_.Node(b);
        node->Height = partnerValue_[b];
        if constexpr (Rule::UsesMembers) {
            const auto& left = node->Left->Members;
            const auto& right = node->Right->Members;
            node->Members.reserve(left.size() + right.size());
            std::merge(left.begin(), left.end(), right.begin(), right.end(),
                       std::back_inserter(node->Members));
        }
        const ClusterNode& merged = tree_.Add(std::move(node));
        if (live_.size() == 2)
            return false;

        const int m = merged.Id;
        const int sa = slot_[a];
        const int sb = slot_[b];
        for (int x : live_) {
            if (x == a || x == b)
                continue;
            const int sx = slot_[x];
            if constexpr (Rule::UsesMembers)
                Value(sx, sa) = Average(tree_.Node(x).Members, merged.Members);
            else
                Value(sx, sa) = Rule::Combine(Value(sx, sa), Value(sx, sb));
        }
        slot_[m] = sa;
        live_.erase(std::find(live_.begin(), live_.end(), a));
        live_.erase(std::find(live_.begin(), live_.end(), b));
        for (int c : live_)
            if (partner_[c] == a || partner_[c] == b)
                RenewCandidate(c);
        live_.push_back(m);
        SeekCandidate(m);
        return true;
    }

    // The mean of the input values over all pairs (i in xs, j in ms), summed
    // with i outer and j inner, both ascending.
    long double Average(const std::vector<std::int32_t>& xs, const std::vector<std::int32_t>& ms) const
    {
        long double sum = 0.0L;
        for (const std::int32_t i : xs) {
            // Members of the new cluster below i lie in row i; those above it
            // in column i of their own rows.
            const long double* row = matrix_.Row(i);
            auto j = ms.begin();
            for (; j != ms.end() && *j < i; ++j)
                sum += row[*j - 1];
            for (; j != ms.end(); ++j)
                sum += matrix_.Row(*j)[i - 1];
        }
        if (!std::isfinite(sum))
            throw Error("Floating point overflow in the group average");
        const std::int32_t count = static_cast<std::int32_t>(xs.size() * ms.size());
        return sum / static_cast<long double>(count);
    }

    const TriangularMatrix& matrix_;
    const int n_;
    const long double leafHeight_;
    ClusterTree tree_;
    std::int32_t nextClusterId_ = 0;
    // Pair values of live clusters by slot.
    std::vector<long double> values_;
    // By cluster id (1..2N-1).
    std::vector<int> slot_;
    std::vector<int> partner_;
    std::vector<long double> partnerValue_;
    // Live cluster ids, ascending.
    std::vector<int> live_;
};

template <class Order>
ClusterTree Merge(const TriangularMatrix& matrix, int n, long double leafHeight, Linkage linkage)
{
    // Complete linkage keeps the worse of the two values, single linkage the
    // better: larger and smaller for distances, the other way for similarities.
    constexpr bool distances = std::is_same_v<Order, SmallestFirst>;
    using Worse = std::conditional_t<distances, TakeLarger, TakeSmaller>;
    using Nearer = std::conditional_t<distances, TakeSmaller, TakeLarger>;
    switch (linkage) {
    case Linkage::Complete:
        return MergeEngine<Order, Worse>(matrix, n, leafHeight).Run();
    case Linkage::Average:
        return MergeEngine<Order, GroupAverage>(matrix, n, leafHeight).Run();
    case Linkage::Single:
        return MergeEngine<Order, Nearer>(matrix, n, leafHeight).Run();
    }
    throw Error("DistType Error");
}

} // namespace

ClusterTree MergeDissimilarities(const AnalysisData& data, Linkage linkage)
{
    return Merge<SmallestFirst>(data.DissimMatrix, data.ObjectCount, 0.0L, linkage);
}

ClusterTree MergeSimilarities(const AnalysisData& data, Linkage linkage)
{
    return Merge<LargestFirst>(data.SimMatrix, data.ObjectCount, data.SimLeafHeight, linkage);
}

} // namespace vantrel
