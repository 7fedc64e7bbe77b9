// Single linkage from a minimum spanning tree. The reasoning, and why the
// result is the prescribed tree, is in Agglomeration.cpp.

#include "engine/SingleLinkage.h"

#include "engine/MergeRules.h"
#include "engine/PairKeys.h"
#include "engine/TriangularMatrix.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <numeric>
#include <vector>

namespace vantrel::engine {
namespace {

// The input pair of objects u > v (counted from 0) in the packed triangle.
inline std::size_t PairIndex(int u, int v)
{
    return static_cast<std::size_t>(u) * static_cast<std::size_t>(u - 1) / 2 + static_cast<std::size_t>(v);
}

struct Edge {
    std::int32_t From;
    std::int32_t To;
    long double Value;
};

template <class Order>
class SpanningTreeMerge {
public:
    SpanningTreeMerge(const TriangularMatrix& matrix, int objectCount, long double leafHeight)
        : input_(matrix.Row(1)), n_(objectCount), leafHeight_(leafHeight)
    {
    }

    std::optional<ClusterTree> Run()
    {
        if (!SpanningTree())
            return std::nullopt;
        tree_.AddLeaves(n_, leafHeight_);
        parent_.resize(n_);
        std::iota(parent_.begin(), parent_.end(), 0);
        clusterId_.resize(n_);
        std::iota(clusterId_.begin(), clusterId_.end(), 1);
        next_.assign(n_, -1);
        levelLocal_.assign(n_, 0);
        last_.resize(n_);
        std::iota(last_.begin(), last_.end(), 0);
        nextClusterId_ = n_;

        // Kruskal's order, nearer values first; equal values form a level.
        std::sort(edges_.begin(), edges_.end(),
                  [](const Edge& x, const Edge& y) { return Order::Better(x.Value, y.Value); });
        for (std::size_t first = 0; first < edges_.size();) {
            std::size_t end = first + 1;
            while (end < edges_.size() && edges_[end].Value == edges_[first].Value)
                ++end;
            if (end - first == 1)
                MergeAlone(edges_[first]);
            else
                MergeLevel(first, end);
            first = end;
        }
        return std::move(tree_);
    }

private:
    // How many pairs ahead the reads along row v and down column v are
    // prefetched; the hardware alone does not keep up with the column.
    static constexpr int RowAhead = 16;
    static constexpr int ColumnAhead = 16;
    static constexpr int Ahead = RowAhead > ColumnAhead ? RowAhead : ColumnAhead;

    // Prim's algorithm: every pair is read once, when the first of its
    // objects joins the tree. The search compares integer keys that order
    // exactly like the values (ValueKey); which of equal values it takes
    // does not matter, any spanning tree of least values will do. The same
    // pass checks every value: false when one is not finite or the data
    // hold two encodings of one value.
    bool SpanningTree()
    {
        std::vector<std::int32_t> outside(static_cast<std::size_t>(n_) - 1 + Ahead);
        std::iota(outside.begin(), outside.begin() + (n_ - 1), 1);
        std::fill(outside.begin() + (n_ - 1), outside.end(), n_ - 1);
        // By object outside the tree: the key, tie bits and input index of
        // its nearest tree object, and that object.
        std::vector<std::int64_t> bestKey(n_, std::numeric_limits<std::int64_t>::max());
        std::vector<std::int32_t> bestTie(n_, std::numeric_limits<std::int32_t>::max());
        std::vector<std::uint32_t> bestPair(n_, 0);
        std::vector<std::int32_t> from(n_, 0);
        edges_.clear();
        edges_.reserve(n_ - 1);
        std::vector<std::size_t> rowBase(n_);
        for (int u = 0; u < n_; ++u)
            rowBase[u] = PairIndex(u, 0);
        Checks checks;
        std::int64_t* const keys = bestKey.data();
        std::int32_t* const ties = bestTie.data();
        std::uint32_t* const pairs = bestPair.data();
        std::int32_t* const sources = from.data();
        const long double* const input = input_;
        int v = 0;
        for (int count = n_ - 1; count > 0; --count) {
            // Scalars, so that they stay in registers.
            std::int64_t nearestKey = std::numeric_limits<std::int64_t>::max();
            std::int32_t nearestTie = std::numeric_limits<std::int32_t>::max();
            int nearestAt = 0;
            unsigned odd = 0;
            // outside is ascending: first the pairs in row v, then those in
            // the rows below, one column down.
            const std::size_t rowV = PairIndex(v, 0);
            int k = 0;
            for (; k < count && outside[k] < v; ++k) {
                __builtin_prefetch(input + rowV + outside[k + RowAhead]);
                Relax(input, outside[k], k, rowV + outside[k], v, keys, ties, pairs, sources, nearestKey,
                      nearestTie, nearestAt, odd, checks);
            }
            for (; k < count; ++k) {
                __builtin_prefetch(input + rowBase[outside[k + ColumnAhead]] + v);
                Relax(input, outside[k], k, rowBase[outside[k]] + v, v, keys, ties, pairs, sources,
                      nearestKey, nearestTie, nearestAt, odd, checks);
            }
            checks.Odd |= odd;
            const int joined = outside[nearestAt];
            edges_.push_back({from[joined], joined, input_[bestPair[joined]]});
            std::copy(outside.begin() + nearestAt + 1, outside.end(), outside.begin() + nearestAt);
            v = joined;
        }
        return checks.Odd == 0 && !(checks.PositiveZero && checks.NegativeZero);
    }

    // What the pass saw besides the values: Odd, a value that is not
    // finite or not in its only encoding (infinity, NaN, an "unnormal" or
    // a pseudo-denormal), which the candidate engine then sorts out; and the
    // signs of the zeros.
    struct Checks {
        unsigned Odd = 0;
        unsigned PositiveZero = 0;
        unsigned NegativeZero = 0;
    };
    // A key that orders like the value: exponent and the top 48 bits of the
    // significand as one integer (the explicit integer bit makes subnormals
    // continue below the normal range), negated for negative values and
    // again for similarities, so that smaller is always nearer; `tie`, the
    // 16 bits left, the same way. (key, tie) orders exactly like the values
    // of one encoding each (which the pass checks); -0 and +0 both give 0.
    [[gnu::always_inline]] static std::int64_t ValueKey(const long double* value, std::int32_t& tie,
                                                        unsigned& odd, Checks& checks)
    {
        std::uint64_t mantissa;
        std::uint16_t signExponent;
        std::memcpy(&mantissa, value, sizeof mantissa);
        std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(value) + 8, sizeof signExponent);
        const std::uint32_t exponent = signExponent & 0x7FFFu;
        // The integer bit must be set exactly when the exponent is; the
        // exponent must not be all ones.
        odd |= (static_cast<unsigned>(exponent != 0) ^ static_cast<unsigned>(mantissa >> 63)) |
               ((exponent + 1) >> 15);
        if (__builtin_expect(exponent == 0 && mantissa == 0, 0)) {
            checks.PositiveZero |= static_cast<unsigned>(signExponent == 0);
            checks.NegativeZero |= static_cast<unsigned>(signExponent != 0);
        }
        const std::int64_t magnitude =
            static_cast<std::int64_t>((std::uint64_t{exponent} << 48) | (mantissa >> 16));
        const std::int32_t low = static_cast<std::int32_t>(mantissa & 0xFFFF);
        const bool negative = (signExponent >> 15) != (Order::Similarities ? 1 : 0);
        tie = negative ? -low : low;
        return negative ? -magnitude : magnitude;
    }

    // One pair (u, v) at input index `pair`, u at position k of outside:
    // u's nearest tree object may now be v, and u may now be the nearest
    // object outside.
    [[gnu::always_inline]] static void Relax(const long double* input, int u, int k, std::size_t pair, int v,
                                             std::int64_t* keys, std::int32_t* ties, std::uint32_t* pairs,
                                             std::int32_t* sources, std::int64_t& nearestKey,
                                             std::int32_t& nearestTie, int& nearestAt, unsigned& odd,
                                             Checks& checks)
    {
        std::int32_t tie;
        const std::int64_t key = ValueKey(input + pair, tie, odd, checks);
        std::int64_t bound = keys[u];
        std::int32_t boundTie = ties[u];
        if (key <= bound) [[unlikely]] {
            if (key < bound || tie < boundTie) {
                bound = key;
                boundTie = tie;
                keys[u] = key;
                ties[u] = tie;
                pairs[u] = static_cast<std::uint32_t>(pair);
                sources[u] = v;
            }
        }
        if (bound <= nearestKey) [[unlikely]] {
            if (bound < nearestKey || boundTie < nearestTie) {
                nearestKey = bound;
                nearestTie = boundTie;
                nearestAt = k;
            }
        }
    }

    int Find(int object)
    {
        while (parent_[object] != object) {
            parent_[object] = parent_[parent_[object]];
            object = parent_[object];
        }
        return object;
    }

    // Joins the component of `from` into that of `into` (both roots).
    void Unite(int into, int from)
    {
        parent_[from] = into;
        next_[last_[into]] = from;
        last_[into] = last_[from];
    }

    void AddMerge(int left, int right, long double height)
    {
        auto node = std::make_unique<ClusterNode>();
        node->Id = ++nextClusterId_;
        node->Left = &tree_.Node(left);
        node->Right = &tree_.Node(right);
        node->Height = height;
        tree_.Add(std::move(node));
    }

    // A value met by one tree edge alone: exactly one pair of clusters is
    // that near, and it merges.
    void MergeAlone(const Edge& edge)
    {
        const int ru = Find(edge.From);
        const int rv = Find(edge.To);
        const int cu = clusterId_[ru];
        const int cv = clusterId_[rv];
        AddMerge(std::min(cu, cv), std::max(cu, cv), edge.Value);
        Unite(ru, rv);
        clusterId_[ru] = nextClusterId_;
    }

    // Several tree edges share the value w. The pairs of clusters at w are
    // those with any object pair at w, which the tree does not tell; they
    // are looked up among the clusters that the edges join (each group of
    // them ends as one cluster, so no object pair is looked at twice over a
    // run). The merges then follow the rule of the list: the pair with the
    // smallest larger id, then the smallest smaller id; a new cluster has
    // the largest id and is near every cluster one of its children was.
    void MergeLevel(std::size_t first, std::size_t end)
    {
        const long double w = edges_[first].Value;
        // The clusters involved, in id order; local index = position.
        std::vector<std::int32_t>& roots = levelRoots_;
        roots.clear();
        for (std::size_t e = first; e < end; ++e) {
            roots.push_back(Find(edges_[e].From));
            roots.push_back(Find(edges_[e].To));
        }
        std::sort(roots.begin(), roots.end(), [&](int x, int y) { return clusterId_[x] < clusterId_[y]; });
        roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
        const int k = static_cast<int>(roots.size());
        auto local = [&](int root) {
            return static_cast<int>(
                std::lower_bound(roots.begin(), roots.end(), root,
                                 [&](int x, int y) { return clusterId_[x] < clusterId_[y]; }) -
                roots.begin());
        };

        // Up to k - 1 new clusters join the k.
        const int size = 2 * k;
        words_ = (size + 63) / 64;
        adjacent_.assign(static_cast<std::size_t>(size) * words_, 0);
        alive_.assign(words_, 0);
        group_.resize(size);
        std::iota(group_.begin(), group_.begin() + k, 0);
        auto groupOf = [&](int x) {
            while (group_[x] != x)
                x = group_[x] = group_[group_[x]];
            return x;
        };
        for (int x = 0; x < k; ++x)
            SetBit(alive_.data(), x);
        for (std::size_t e = first; e < end; ++e) {
            const int x = local(Find(edges_[e].From));
            const int y = local(Find(edges_[e].To));
            SetBit(Row(x), y);
            SetBit(Row(y), x);
            group_[groupOf(x)] = groupOf(y);
        }
        // Every object pair within a group, across two of its clusters, is
        // looked at once, along the rows of the input: each group ends as
        // one cluster, so over a run no pair is looked at twice. The data
        // hold one encoding per value, so equal values have equal bits.
        std::vector<std::int32_t>& objects = levelObjects_;
        std::vector<std::int32_t>& localOf = levelLocal_;
        objects.clear();
        for (int x = 0; x < k; ++x)
            for (int object = roots[x]; object >= 0; object = next_[object]) {
                objects.push_back(object);
                localOf[object] = x;
            }
        std::sort(objects.begin(), objects.end());
        std::uint64_t wMantissa;
        std::uint16_t wSignExponent;
        std::memcpy(&wMantissa, &w, sizeof wMantissa);
        std::memcpy(&wSignExponent, reinterpret_cast<const unsigned char*>(&w) + 8, sizeof wSignExponent);
        for (std::size_t a = 1; a < objects.size(); ++a) {
            const int i = objects[a];
            const int li = localOf[i];
            const int gi = groupOf(li);
            const long double* row = input_ + PairIndex(i, 0);
            for (std::size_t b = 0; b < a; ++b) {
                const int j = objects[b];
                std::uint64_t mantissa;
                std::uint16_t signExponent;
                std::memcpy(&mantissa, row + j, sizeof mantissa);
                std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(row + j) + 8,
                            sizeof signExponent);
                if (mantissa != wMantissa || signExponent != wSignExponent)
                    continue;
                const int lj = localOf[j];
                if (lj != li && groupOf(lj) == gi) {
                    SetBit(Row(li), lj);
                    SetBit(Row(lj), li);
                }
            }
        }

        std::vector<std::int32_t>& ids = levelIds_;
        ids.assign(roots.size(), 0);
        for (int x = 0; x < k; ++x)
            ids[x] = clusterId_[roots[x]];
        int count = k;
        for (int c = 1; c < count; ++c) {
            if (!TestBit(alive_.data(), c))
                continue;
            const int p = FirstBelow(Row(c), c);
            if (p < 0)
                continue;
            AddMerge(ids[p], ids[c], w);
            const int m = count++;
            ids.push_back(nextClusterId_);
            group_[m] = groupOf(c);
            ClearBit(alive_.data(), p);
            ClearBit(alive_.data(), c);
            std::uint64_t* rowM = Row(m);
            const std::uint64_t* rowP = Row(p);
            const std::uint64_t* rowC = Row(c);
            for (int word = 0; word < words_; ++word) {
                rowM[word] = (rowP[word] | rowC[word]) & alive_[word];
                for (std::uint64_t bits = rowM[word]; bits != 0; bits &= bits - 1)
                    SetBit(Row(64 * word + std::countr_zero(bits)), m);
            }
            SetBit(alive_.data(), m);
        }

        // Each group is one cluster now: the one still alive.
        for (int x = 0; x < count; ++x)
            if (TestBit(alive_.data(), x)) {
                const int g = groupOf(x);
                int into = -1;
                for (int y = 0; y < k; ++y)
                    if (groupOf(y) == g) {
                        if (into < 0)
                            into = roots[y];
                        else
                            Unite(into, roots[y]);
                    }
                clusterId_[into] = ids[x];
            }
    }

    std::uint64_t* Row(int x) { return adjacent_.data() + static_cast<std::size_t>(x) * words_; }
    static void SetBit(std::uint64_t* bits, int x) { bits[x >> 6] |= std::uint64_t{1} << (x & 63); }
    static void ClearBit(std::uint64_t* bits, int x) { bits[x >> 6] &= ~(std::uint64_t{1} << (x & 63)); }
    static bool TestBit(const std::uint64_t* bits, int x) { return (bits[x >> 6] >> (x & 63)) & 1; }

    // The first live neighbour of c with a smaller index, or -1.
    int FirstBelow(const std::uint64_t* row, int c) const
    {
        for (int word = 0; word <= c >> 6; ++word) {
            std::uint64_t bits = row[word] & alive_[word];
            if (word == c >> 6)
                bits &= (std::uint64_t{1} << (c & 63)) - 1;
            if (bits != 0)
                return 64 * word + std::countr_zero(bits);
        }
        return -1;
    }

    const long double* input_;
    const int n_;
    const long double leafHeight_;
    ClusterTree tree_;
    std::int32_t nextClusterId_ = 0;
    std::vector<Edge> edges_;
    // Union-find over the objects; a root knows its cluster's id and, as a
    // list through next_ ending at last_, its objects.
    std::vector<std::int32_t> parent_;
    std::vector<std::int32_t> clusterId_;
    std::vector<std::int32_t> next_;
    std::vector<std::int32_t> last_;
    // One level: the clusters, their neighbours at w as bit rows, the live
    // ones, and which of them the level's edges connect.
    std::vector<std::int32_t> levelRoots_;
    std::vector<std::int32_t> levelObjects_;
    std::vector<std::int32_t> levelLocal_;
    std::vector<std::int32_t> levelIds_;
    std::vector<std::uint64_t> adjacent_;
    std::vector<std::uint64_t> alive_;
    std::vector<std::int32_t> group_;
    int words_ = 0;
};

} // namespace

std::optional<ClusterTree> SingleLinkageBySpanningTree(const TriangularMatrix& matrix, int objectCount,
                                                       long double leafHeight, bool similarities)
{
    return similarities ? SpanningTreeMerge<LargestFirst>(matrix, objectCount, leafHeight).Run()
                        : SpanningTreeMerge<SmallestFirst>(matrix, objectCount, leafHeight).Run();
}

} // namespace vantrel::engine
