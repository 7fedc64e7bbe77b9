#include "engine/AnalysisData.h"

#include <cfloat>
#include <cmath>

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
    const long double level = n > 0 ? maximum / n + maximum : maximum;
    // Near the top of the range the sum overflows; the leaves then stand at
    // the largest finite level, so no infinity reaches the tree or the page.
    data.SimLeafHeight = std::isfinite(level) ? level : LDBL_MAX;
}

} // namespace vantrel
