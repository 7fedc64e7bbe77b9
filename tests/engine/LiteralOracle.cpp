// A deliberately literal transcription of the pair-list clustering
// procedure, slow (O(N^4)) and plain, kept as the reference the fast engine
// is compared with. Names follow the procedure: ListDist, ListDistCount,
// ClusterTable, ClusterCount, NextClusterId, PairDistance, SeekC, MergeStep,
// FreeClusterTree. Arrays are indexed from 1.

#include "LiteralOracle.h"

#include "common/Errors.h"
#include "engine/AnalysisData.h"
#include "engine/Methods.h"

#include <cmath>
#include <memory>
#include <stdexcept>

namespace vantrel {
namespace {

struct PairRecord {
    std::int32_t IdA = 0;
    std::int32_t IdB = 0;
    long double Dist = 0.0L;
};

struct LiteralNode {
    std::int32_t Id = 0;
    LiteralNode* Left = nullptr;
    LiteralNode* Right = nullptr;
    long double PlotPosition = 0.0L;
    long double Height = 0.0L;
    std::vector<std::int32_t> Members; // flags, index 1..N
};

struct TableSlot {
    std::int32_t Id = 0;
    LiteralNode* Node = nullptr;
};

class LiteralRun {
public:
    LiteralRun(const TriangularMatrix& matrix, int n, bool similarities, Linkage linkage,
               long double leafHeight)
        : M(matrix), N(n), Similarities(similarities), Method(linkage)
    {
        if (Similarities && Squares())
            throw Error(NeedsDissimilaritiesText(Method));
        // Entry 1 exists even when the list is empty: it is then a stale
        // record naming no cluster, as in a fixed array.
        const int size = n >= 1 ? n : 1;
        ListDist.resize(static_cast<std::size_t>(size) * (size - 1) / 2 + size + 2);
        ClusterTable.resize(size + 2);
        Arena.resize(2 * size);

        // Initial fill; ward, centroid and median list the squares.
        ListDistCount = 0;
        for (int i = 2; i <= N; ++i)
            for (int j = 1; j <= i - 1; ++j) {
                long double value = M(i, j);
                if (Squares()) {
                    if (value < 0)
                        throw Error(NegativeDissimilarityText(Method, j, i));
                    value = value * value;
                    if (!std::isfinite(value))
                        throw Error(SquareOverflowText(Method, j, i));
                }
                ListDist[++ListDistCount] = {j, i, value};
            }
        ClusterCount = N;
        for (int i = 1; i <= N; ++i) {
            LiteralNode* leaf = NewNode();
            leaf->Id = i;
            leaf->Height = leafHeight;
            leaf->Members.assign(N + 1, 0);
            leaf->Members[i] = 1;
            ClusterTable[i] = {i, leaf};
        }
        NextClusterId = N;
    }

    std::vector<OracleNode> Run()
    {
        MergeStep();
        std::vector<OracleNode> result;
        for (const auto& node : Arena) {
            if (!node)
                break;
            OracleNode out;
            out.Id = node->Id;
            out.LeftId = node->Left ? node->Left->Id : 0;
            out.RightId = node->Right ? node->Right->Id : 0;
            out.Height = node->Height;
            if (!node->Left || Method == Linkage::Average)
                for (int k = 1; k <= N; ++k)
                    if (node->Members[k] == 1)
                        out.Members.push_back(k);
            result.push_back(std::move(out));
        }
        FreeClusterTree(ClusterTable[ClusterCount].Node);
        for (const auto& node : Arena)
            if (node)
                throw std::logic_error("FreeClusterTree missed a node");
        return result;
    }

private:
    LiteralNode* NewNode()
    {
        Arena[Allocated] = std::make_unique<LiteralNode>();
        return Arena[Allocated++].get();
    }

    void FreeClusterTree(LiteralNode* node)
    {
        if (node->Left != nullptr) {
            FreeClusterTree(node->Left);
            FreeClusterTree(node->Right);
        }
        auto& owner = Arena[node->Id - 1];
        if (owner.get() != node)
            throw std::logic_error("FreeClusterTree released a node twice");
        owner.reset();
    }

    long double PairDistance(std::int32_t a, std::int32_t b) const
    {
        for (int k = 1; k <= ListDistCount; ++k)
            if ((ListDist[k].IdA == a && ListDist[k].IdB == b) ||
                (ListDist[k].IdA == b && ListDist[k].IdB == a))
                return ListDist[k].Dist;
        throw Error("Range Error at ListDist Array");
    }

    LiteralNode* SeekC(std::int32_t id) const
    {
        for (int s = 1; s <= ClusterCount; ++s)
            if (ClusterTable[s].Id == id)
                return ClusterTable[s].Node;
        throw Error("Range error in SeekC");
    }

    bool Better(long double value, long double best) const
    {
        return Similarities ? value > best : value < best;
    }

    bool Squares() const { return SquaresValues(Method); }
    bool UsesFormula() const { return Squares() || Method == Linkage::Weighted; }

    static long double Count(const LiteralNode* node)
    {
        int count = 0;
        for (const std::int32_t flag : node->Members)
            count += flag;
        return count;
    }

    // The formulas, with x's cluster in slot s, a and b merged at d12.
    long double FormulaDistance(std::int32_t x, std::int32_t a, std::int32_t b, int s,
                                const LiteralNode* node, long double d12) const
    {
        const long double d1 = PairDistance(x, a);
        const long double d2 = PairDistance(x, b);
        const long double nx = Count(ClusterTable[s].Node);
        const long double na = Count(node->Left);
        const long double nb = Count(node->Right);
        long double value = 0.0L;
        if (Method == Linkage::Ward)
            value = ((nx + na) * d1 + (nx + nb) * d2 - nx * d12) / (nx + na + nb);
        else if (Method == Linkage::Centroid)
            value = (na * d1 + nb * d2 - na * nb * d12 / (na + nb)) / (na + nb);
        else if (Method == Linkage::Median)
            value = d1 / 2 + d2 / 2 - d12 / 4;
        else
            value = (d1 + d2) / 2;
        if (!std::isfinite(value))
            throw Error(UpdateOverflowText(Method));
        return value;
    }

    long double NewDistance(std::int32_t x, std::int32_t a, std::int32_t b, int s, const LiteralNode* node,
                            long double d12) const
    {
        if (UsesFormula())
            return FormulaDistance(x, a, b, s, node, d12);
        if (Method == Linkage::Average) {
            long double sum = 0.0L;
            std::int32_t count = 0;
            const LiteralNode* other = ClusterTable[s].Node;
            for (int i = 1; i <= N; ++i)
                for (int j = 1; j <= N; ++j)
                    if (other->Members[i] == 1 && node->Members[j] == 1) {
                        sum += i > j ? M(i, j) : M(j, i);
                        count += 1;
                    }
            return sum / count;
        }
        const long double d1 = PairDistance(x, a);
        const long double d2 = PairDistance(x, b);
        const bool keepLarger = (Method == Linkage::Complete) != Similarities;
        if (keepLarger)
            return d2 >= d1 ? d2 : d1;
        return d2 <= d1 ? d2 : d1;
    }

    void MergeStep()
    {
        for (;;) {
            // 1. Choose the pair.
            std::int32_t a = ListDist[1].IdA;
            std::int32_t b = ListDist[1].IdB;
            long double d = ListDist[1].Dist;
            for (int k = 2; k <= ListDistCount; ++k)
                if (Better(ListDist[k].Dist, d)) {
                    a = ListDist[k].IdA;
                    b = ListDist[k].IdB;
                    d = ListDist[k].Dist;
                }
            // 2. Create the new cluster.
            ClusterCount = ClusterCount + 1;
            LiteralNode* node = NewNode();
            ClusterTable[ClusterCount].Node = node;
            NextClusterId = NextClusterId + 1;
            ClusterTable[ClusterCount].Id = NextClusterId;
            node->Id = NextClusterId;
            node->Left = SeekC(a);
            node->Right = SeekC(b);
            node->Height = d;
            if (Squares())
                node->Height = d >= 0 ? sqrtl(d) : -sqrtl(-d);
            // 3. Members, for group average and for the counts of the formulas.
            node->Members.assign(N + 1, 0);
            if (Method == Linkage::Average || UsesFormula())
                for (int k = 1; k <= N; ++k)
                    node->Members[k] = node->Left->Members[k] + node->Right->Members[k] > 0 ? 1 : 0;
            // 4. Stop test.
            if (ClusterCount <= 3)
                return;
            // 5. Distances to the new cluster.
            for (int s = 1; s <= ClusterCount - 1; ++s) {
                const std::int32_t x = ClusterTable[s].Id;
                if (x != a && x != b) {
                    ListDistCount = ListDistCount + 1;
                    ListDist[ListDistCount].IdA = x;
                    ListDist[ListDistCount].IdB = node->Id;
                    ListDist[ListDistCount].Dist = NewDistance(x, a, b, s, node, d);
                }
            }
            // 6. Drop the merged pairs.
            int k = 1;
            while (k <= ListDistCount) {
                const PairRecord& e = ListDist[k];
                if (e.IdA == a || e.IdA == b || e.IdB == a || e.IdB == b) {
                    for (int t = k; t < ListDistCount; ++t)
                        ListDist[t] = ListDist[t + 1];
                    ListDistCount = ListDistCount - 1;
                } else {
                    k = k + 1;
                }
            }
            // 7. Drop the merged clusters.
            int s = 1;
            while (s <= ClusterCount) {
                if (ClusterTable[s].Id == a || ClusterTable[s].Id == b) {
                    for (int t = s; t < ClusterCount; ++t)
                        ClusterTable[t] = ClusterTable[t + 1];
                    ClusterCount = ClusterCount - 1;
                } else {
                    s = s + 1;
                }
            }
            // 8. Repeat.
        }
    }

    const TriangularMatrix& M;
    const int N;
    const bool Similarities;
    const Linkage Method;
    std::vector<PairRecord> ListDist;
    std::int32_t ListDistCount = 0;
    std::vector<TableSlot> ClusterTable;
    std::int32_t ClusterCount = 0;
    std::int32_t NextClusterId = 0;
    // Owns every node until FreeClusterTree releases it; index Id - 1.
    std::vector<std::unique_ptr<LiteralNode>> Arena;
    int Allocated = 0;
};

} // namespace

std::vector<OracleNode> LiteralMergeDissimilarities(const AnalysisData& data, Linkage linkage)
{
    return LiteralRun(data.DissimMatrix, data.ObjectCount, false, linkage, 0.0L).Run();
}

std::vector<OracleNode> LiteralMergeSimilarities(const AnalysisData& data, Linkage linkage)
{
    return LiteralRun(data.SimMatrix, data.ObjectCount, true, linkage, data.SimLeafHeight).Run();
}

} // namespace vantrel
