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
// of the new cluster (computed at once) and of clusters whose candidate was
// one of the two merged ones. Those are marked stale and keep the lost value
// as a bound, since losing partners can only make the best value worse; a
// stale candidate is renewed only when it comes out on top of the choice.
// Renewal looks first, above the lost partner, for a partner of the very
// same value (it lost the tie only to the merged one); only otherwise does
// it rescan all smaller live ids.
//
// Storage. Pair values of live clusters sit in a packed lower triangle
// indexed by slot; a merged cluster takes over its Left child's slot, so
// every lookup is O(1). Group average also keeps the input as a full square,
// so that its sums read along rows (see Average).
//
// Cost. Complete and single linkage: O(N) per merge plus the renewals, O(N^2)
// for typical data, a few milliseconds at N = 1000; data that make a renewed
// candidate come out on top again and again approach O(N^3). Group average recomputes each new mean from the
// input matrix, summing over all object pairs in the prescribed order
// (objects of the other cluster outer, of the new cluster inner, both
// ascending) so that the rounding is the same as in the pair-list procedure;
// no update formula rounds the same way. That costs |new| * (N - |new|)
// additions per merge, about 10^7 for 1000 objects.
//
// Non-finite values never enter the tree: a matrix element that is NaN or
// infinite, or a group-average sum that overflows, is an error.

#include "engine/Agglomeration.h"

#include "common/Errors.h"
#include "common/Limits.h"
#include "engine/AnalysisData.h"
#include "engine/MergeRules.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <vector>

namespace vantrel {
namespace {

// The working tables of the engine, kept from one run to the next: a run on
// 1000 objects needs 8 MB (24 MB for group average), and fresh memory of
// that size costs more to map than the whole clustering.
struct Workspace {
    std::vector<long double> Values;
    std::vector<long double> Square;

    static long double* Reserve(std::vector<long double>& table, std::size_t size)
    {
        if (table.size() < size)
            table.resize(size);
        return table.data();
    }
};

Workspace& SharedWorkspace()
{
    static thread_local Workspace workspace;
    return workspace;
}

template <class Order, class Rule>
class MergeEngine {
public:
    MergeEngine(const TriangularMatrix& matrix, int objectCount, long double leafHeight)
        : matrix_(matrix), n_(objectCount), leafHeight_(leafHeight)
    {
    }

    // New clusters up to this size are read along their own rows.
    static constexpr std::size_t SmallCluster = 32;

    ClusterTree Run()
    {
        // With fewer than two objects there is no pair whose clusters could
        // be looked up.
        if (n_ < 2)
            throw Error("Range error in SeekC");
        if (n_ > matrix_.Capacity())
            throw Error(TooManyObjectsText(n_));
        Prepare();
        while (MergeStep()) { }
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
        // Slot of object i is i - 1: the packed layout of the input triangle.
        // One pass copies it, checks every value and finds each object's
        // first candidate from its own row.
        const std::size_t pairs = static_cast<std::size_t>(n_) * (n_ - 1) / 2;
        values_ = Workspace::Reserve(SharedWorkspace().Values, pairs);
        const int ids = 2 * n_;
        slot_.assign(ids, 0);
        partner_.assign(ids, 0);
        partnerValue_.assign(ids, 0.0L);
        stale_.assign(ids, false);
        live_.clear();
        live_.reserve(n_);
        bool finite = true;
        long double* copy = values_;
        for (int c = 1; c <= n_; ++c) {
            auto leaf = std::make_unique<ClusterNode>();
            leaf->Id = c;
            leaf->Height = leafHeight_;
            leaf->Members = {c};
            tree_.Add(std::move(leaf));
            slot_[c] = c - 1;
            live_.push_back(c);
            if (c == 1)
                continue;
            const long double* row = matrix_.Row(c);
            int best = 1;
            long double bestValue = row[0];
            for (int x = 1; x < c; ++x) {
                const long double value = row[x - 1];
                finite &= std::fabs(value) <= LDBL_MAX;
                *copy++ = value;
                if (Order::Better(value, bestValue)) {
                    best = x;
                    bestValue = value;
                }
            }
            partner_[c] = best;
            partnerValue_[c] = bestValue;
        }
        if (!finite)
            throw Error("The matrix holds a value that is not a finite number");
        if constexpr (Rule::UsesMembers)
            PrepareSquare();
        nextClusterId_ = n_;
    }

    // Group average reads the input by object pairs in both orders. A full
    // square copy turns every read into a row access without a branch.
    void PrepareSquare()
    {
        const std::size_t n = static_cast<std::size_t>(n_);
        square_ = Workspace::Reserve(SharedWorkspace().Square, n * n);
        long double* square = square_;
        for (std::size_t i = 2; i <= n; ++i)
            std::copy_n(matrix_.Row(static_cast<int>(i)), i - 1, square + (i - 1) * n);
        // Mirror the lower half tile by tile, so that both the rows read and
        // the rows written stay in cache.
        constexpr std::size_t tile = 16;
        for (std::size_t top = 0; top < n; top += tile)
            for (std::size_t left = 0; left <= top; left += tile)
                for (std::size_t r = top; r < std::min(top + tile, n); ++r)
                    for (std::size_t c = left; c < std::min(left + tile, r); ++c)
                        square[c * n + r] = square[r * n + c];
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
        stale_[c] = false;
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
                stale_[c] = false;
                return;
            }
        }
        SeekCandidate(c);
    }

    // Merges the best pair; false once the root is formed.
    bool MergeStep()
    {
        // The best candidate, ties to the smallest id; the smallest live id
        // has no candidate, every other one has. A stale candidate's value
        // is a bound its renewal can only worsen, so only a stale one that
        // comes out on top needs renewing before the choice is final.
        int b = 0;
        long double best = 0.0L;
        for (;;) {
            b = live_[1];
            best = partnerValue_[b];
            for (auto it = live_.begin() + 2; it != live_.end(); ++it)
                if (Order::Better(partnerValue_[*it], best)) {
                    b = *it;
                    best = partnerValue_[b];
                }
            if (!stale_[b])
                break;
            RenewCandidate(b);
        }
        const int a = partner_[b];

        auto node = std::make_unique<ClusterNode>();
        node->Id = ++nextClusterId_;
        node->Left = &tree_.Node(a);
        node->Right = &tree_.Node(b);
        node->Height = best;
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
                stale_[c] = true;
        live_.push_back(m);
        SeekCandidate(m);
        return true;
    }

    const long double* SquareRow(std::int32_t object) const
    {
        return square_ + (static_cast<std::size_t>(object) - 1) * static_cast<std::size_t>(n_);
    }

    // The mean of the input values over all pairs (i in xs, j in ms), summed
    // with i outer and j inner, both ascending. The square holds M(i, j) in
    // row i and in row j alike, so the reads can follow whichever rows stay
    // in cache: a small new cluster's few rows are shared by every other
    // cluster, while a large one is read densely along the row of i.
    long double Average(const std::vector<std::int32_t>& xs, const std::vector<std::int32_t>& ms) const
    {
        long double sum = 0.0L;
        if (ms.size() <= SmallCluster) {
            const long double* rows[SmallCluster];
            for (std::size_t k = 0; k < ms.size(); ++k)
                rows[k] = SquareRow(ms[k]) - 1;
            for (const std::int32_t i : xs)
                for (std::size_t k = 0; k < ms.size(); ++k)
                    sum += rows[k][i];
        } else {
            for (const std::int32_t i : xs) {
                const long double* row = SquareRow(i) - 1;
                for (const std::int32_t j : ms)
                    sum += row[j];
            }
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
    long double* values_ = nullptr;
    // Group average only: the input as a full N x N square, row-major.
    long double* square_ = nullptr;
    // By cluster id (1..2N-1).
    std::vector<int> slot_;
    std::vector<int> partner_;
    std::vector<long double> partnerValue_;
    // The candidate was merged away; partner_ and partnerValue_ still name it.
    std::vector<bool> stale_;
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
