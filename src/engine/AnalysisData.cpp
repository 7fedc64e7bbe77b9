#include "engine/AnalysisData.h"

namespace vantrel {

AnalysisData& Shared()
{
    // Allocated once and never destroyed before exit: two million 80-bit
    // reals would otherwise sit in static storage of every test binary.
    static AnalysisData* const instance = new AnalysisData;
    return *instance;
}

void ComputeSimilarityLevels(AnalysisData& data)
{
    const int n = data.ObjectCount;
    long double maximum = 0.0L;
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            if (data.SimMatrix(i, j) > maximum)
                maximum = data.SimMatrix(i, j);
    data.MaxSimilarity = maximum;
    // Division first, then the addition, as the leaves' level is defined.
    data.SimLeafHeight = n > 0 ? maximum / n + maximum : maximum;
}

} // namespace vantrel
