// The merge steps: hierarchical agglomerative clustering of N objects by
// complete linkage, group average, single linkage, Ward's method, the
// centroid or the median method or weighted average, on dissimilarities
// (closest pair first) or, for all but Ward, centroid and median,
// similarities (most similar pair first).
//
// The result must equal, merge for merge and bit for bit, the classic
// pair-list procedure: all live pairs in one list,
// the first best entry merged, one pair appended per other live cluster (in
// id order), the merged pairs removed by shifting. That procedure costs
// O(N^4). The engine keeps only what decides it.
//
// TIE RULE. New ids exceed every live id and new pairs are appended in
// ascending id order, so the list is always ordered by (larger id, smaller
// id): the first best entry is the pair with the best value, then the
// smallest larger id, then the smallest smaller id, values compared as the
// list compares them (-0 equals +0). Its smaller id is the Left child, the
// larger the Right; its height is the stored value, bit for bit (for Ward,
// centroid and median its signed square root, see THE FORMULAS).
//
// CANDIDATES (CandidateEngine.h; all seven methods, and single linkage on
// the data the spanning tree below does not take). Every live cluster c
// keeps a candidate: its best partner among the live clusters with smaller
// ids, ties to the smallest. The merged pair is the best candidate, ties to
// the smallest c, held by a tournament tree over the clusters (O(log N) per
// change). Values between unmerged clusters never change, and a new cluster
// has the largest id, so it is nobody's candidate, whatever rule makes its
// values: a merge invalidates only the candidates that were one of the two
// merged clusters. Those turn stale and keep the lost value as a bound,
// since losing partners can only make the best value worse (for every
// rule); a stale candidate is renewed only when it comes out
// on top. A renewal scans the cluster's row and remembers its best 8
// partners in merge order; partners only disappear, so later renewals take
// the first one still alive. A cluster that needs a second scan remembers
// 16, then 32, and so on: data that make renewed candidates come out on top
// again and again (WorstCases.h, "renewal adversary": N/2 renewals after
// each of N/4 merges) cost O(log N) scans per cluster instead of O(N). While
// many stale candidates keep coming out on top, the engine renews all of a
// merge's new stale ones at once and rebuilds the tournament in O(N),
// instead of one way up the tree each; renewing early never changes a
// candidate.
//
// Slots hold the live clusters in id order: a new cluster takes the next
// slot, and once half the slots in use are empty the live ones move down in
// order. A cluster's partners of smaller id are then exactly the live slots
// before its own, i.e. its row of a packed lower triangle, read along; the
// new cluster's values to all others are one new row. Only the values of a
// merged child to clusters newer than it are read down a column.
//
// KEYS. The triangle holds 64-bit keys, not the 80-bit values, so that
// comparisons are those of doubles. A key is the value mapped monotonically
// to a double (a < b implies key(a) <= key(b), -0 and +0 give equal keys),
// negated for similarities so that the smaller key is always merged first.
// Unequal keys thus order like their values; equal keys need the values:
// - Complete and single linkage only compare and copy input values. Their
//   key is the value truncated to 33 significant bits, and its 19 low bits
//   hold the index of the input value it stands for (its origin). Equal
//   keys are settled by the input values, unless every input value is
//   exactly its truncated key (integers, halves, ...: "key-exact" data),
//   where equal keys are equal values. The update keeps the key of the value
//   the rule keeps (d2 on equal values), so the origin always names the
//   value the list would hold: heights, and every tie with -0 and +0 or
//   between copies, come out bit for bit.
// - Group average computes new values. Its key is the mean rounded to the
//   nearest double (held at the largest double beyond that range); the
//   exact mean of every pair with a merged cluster is kept in that
//   cluster's row of means, written once when it is formed and never moved,
//   and settles equal keys and gives the height.
// - Ward, centroid, median and weighted compute new values from old ones
//   (see THE FORMULAS), so every exact value must stay at hand: they keep
//   a triangle of 10-byte values by slot in place of the keys, compacted
//   like it. A key is made when needed, from the value's bits by integer
//   operations: the value truncated toward zero to a double. A new row
//   needs no keys: its best pair is found by comparing the exact values.
//
// THE FORMULAS (MergeRules.h, CandidateRows.h). Clusters a (Left, na
// objects) and b (Right, nb) merge at the list value d12; each other live
// cluster x (nx objects) with d1, d2 its values to a and b gets
//   Ward:      ((nx + na) * d1 + (nx + nb) * d2 - nx * d12) / (nx + na + nb)
//   centroid:  (na * d1 + nb * d2 - na * nb * d12 / (na + nb)) / (na + nb)
//   median:    d1 / 2 + d2 / 2 - d12 / 4
//   weighted:  (d1 + d2) / 2
// each evaluated as written, left to right, every operation rounded to the
// 80-bit format (the x87 unit has no fused multiply-add, and nothing here
// reorders). Ward, centroid and median fill the list with the squares of
// the input (a negative value, or a square beyond the range, is refused)
// and stand a merge at the signed square root of its value, sqrtl(v) or
// -sqrtl(-v). On Euclidean distances that is the square root of twice the
// increase of the within-cluster sum of squares (Ward), the distance of the
// clusters' centroids (centroid), and the distance of their midpoints,
// each merged cluster standing at the midpoint of its parts (median).
// Weighted average (McQuitty's method) keeps the values, and takes
// similarities too. The new value can lie below d12 for centroid and median:
// a merge may then stand below one of its parts (an inversion). Since d12 is
// the smallest value in the list, d1, d2 >= d12, so a new value is at least
// d12 for Ward and 3/4 of d12 for centroid and median, up to rounding; with
// input of 0 or more no value goes below 0, and the root's sign only keeps
// the definition whole. The trees are those of R's hclust up to rounding and
// ties: ward.D2 on the distances (the same heights), centroid and median on
// the squared distances (heights the squares of these), mcquitty on the
// values; and those of scipy's and fastcluster's ward, centroid, median and
// weighted on the distances, with the same heights.
//
// SINGLE LINKAGE BY SPANNING TREE (SingleLinkage.cpp). Single linkage
// values are minima over object pairs, and merge levels never decrease.
// So the clusters formed below a level w are the components of the object
// pairs below w, which are the components of the edges below w of any
// minimum spanning tree (built by Prim's algorithm, O(N^2), exact
// comparisons, each pair read once). Tree edges of one value w form a
// level. A level of one edge is one pair of clusters at w: it merges. A
// level of several edges leaves open which pairs of clusters are at w (the
// tree shows only some); they are found among the clusters its edges join,
// by looking for an object pair at w (each group of them ends as one
// cluster, so no object pair is looked at twice in a run), and then merged
// by the tie rule: smallest larger id first, then smallest smaller id; a new
// cluster has the largest id and is at w from every cluster either child
// was. The heights are the level values. Which of two equal values the list
// keeps depends on its updates, so data that hold two encodings of one
// value (both signed zeros, or a pseudo-denormal) go to the candidates, as
// do data with a value that is not finite (which the candidates report).
//
// GROUP AVERAGE SUMS (GroupAverageSums.cpp). Each new mean is recomputed from
// the input over all object pairs in the prescribed order (objects of the
// other cluster outer, of the new cluster inner, both ascending), summed in
// long double from 0 and divided by the pair count, so that the rounding is
// that of the pair-list procedure; no update formula rounds the same way,
// and the number of additions, |new| * (N - |new|) per merge, is fixed
// (about 10^7 at N = 1000 for random data, N^3/6 when every merge adds one
// object to one cluster). The values are read from a copy of the input as
// a full square of 10-byte reals (the padding of a long double dropped),
// made in the pass that makes the keys. While the new cluster has at most
// half the objects, one sweep reads its rows along, object by object in
// ascending order (the order of every sum's outer loop), four objects of
// four different clusters at a time, each continuing its own cluster's sum:
// four independent chains hide the latency of the additions, and each row
// is read once, along. Beyond half, the rows of the other objects are
// fewer, and four clusters at a time read those.
//
// COST. Setup: one pass over the N(N-1)/2 input values for their keys
// (group average: also the square). Complete linkage, and single linkage by
// candidates: O(N) per merge for the new row and its candidate, plus the
// renewals: about one row scan per merge for typical data, O(N^2 log N) in
// all at worst (see above); O(N^2) for typical data. Single linkage by
// spanning tree: O(N^2), each input value read once, plus O(N^2) at most
// for the levels. Group average: the fixed additions above, |new| * (N -
// |new|) per merge, each one 80-bit load and add, plus O(N) per merge for
// the means, their keys and the candidates. The formulas: setup as
// complete linkage (with the square), then O(N) per merge for the new row,
// one evaluation of the formula per live cluster (a handful of 80-bit
// operations, two 80-bit loads and a store), plus the renewals as for
// complete linkage. At N = 1000 on random data that is a few milliseconds
// for complete and single linkage, about 10^7 additions for group average
// and about 5 * 10^5 evaluations for a formula; bench/engine_bench times
// these, and the worst cases of WorstCases.h against them.
//
// Non-finite values never enter the tree: a matrix element that is NaN or
// infinite, a group-average sum that overflows, a square or a formula's
// value beyond the range is an error.

#include "engine/Agglomeration.h"

#include "common/Errors.h"
#include "common/Limits.h"
#include "engine/AnalysisData.h"
#include "engine/CandidateMerge.h"
#include "engine/SingleLinkage.h"

namespace vantrel {
namespace {

ClusterTree Merge(const TriangularMatrix& matrix, int n, long double leafHeight, Linkage linkage,
                  bool similarities)
{
    if (!IsLinkage(static_cast<int>(linkage)))
        throw Error("DistType Error");
    if (similarities && !AcceptsSimilarities(linkage))
        throw Error(NeedsDissimilaritiesText(linkage));
    // With fewer than two objects there is no pair whose clusters could be
    // looked up.
    if (n < 2)
        throw Error("Range error in SeekC");
    if (n > matrix.Capacity() || n > AnalysisData::Capacity)
        throw Error(TooManyObjectsText(n));
    if (linkage == Linkage::Single)
        if (auto tree = engine::SingleLinkageBySpanningTree(matrix, n, leafHeight, similarities))
            return std::move(*tree);
    return engine::MergeByCandidates(matrix, n, leafHeight, linkage, similarities);
}

} // namespace

ClusterTree MergeDissimilarities(const AnalysisData& data, Linkage linkage)
{
    return Merge(data.DissimMatrix, data.ObjectCount, 0.0L, linkage, false);
}

ClusterTree MergeSimilarities(const AnalysisData& data, Linkage linkage)
{
    return Merge(data.SimMatrix, data.ObjectCount, data.SimLeafHeight, linkage, true);
}

} // namespace vantrel
