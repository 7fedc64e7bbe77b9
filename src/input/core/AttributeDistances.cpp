#include "input/core/AttributeDistances.h"

#include "common/Limits.h"
#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "input/core/CellNumber.h"
#include "input/core/MatrixConfirm.h"
#include "input/core/MatrixDataFile.h"

#include <cmath>
#include <vector>

namespace vantrel {
namespace {

// "attribute 2 (weight)", or "attribute 2" when the name cell is blank.
std::string AttributeName(const AttributeTexts& table, int attribute)
{
    std::string text = "attribute " + std::to_string(attribute);
    if (attribute <= table.AttributeCount()) {
        const std::string_view name = TrimControls(table.Name(attribute));
        if (!name.empty())
            text += " (" + std::string(name) + ")";
    }
    return text;
}

const char* const ZeroDeviation = "its standard deviation is 0 (every object has the same value)";

[[noreturn]] void FailAttribute(const AttributeTexts& table, int attribute, const std::string& why)
{
    throw Error("Cannot standardize " + AttributeName(table, attribute) + ": " + why);
}

} // namespace

void ReadAttributeTable(const AttributeTexts& table, AnalysisData& data, AttributeData& attributes,
                        Progress& progress)
{
    const int objects = table.ObjectCount();
    const int count = table.AttributeCount();
    if (objects > MaxObjects)
        throw Error(TooManyObjectsText(objects));
    if (count > MaxAttributes)
        throw Error(TooManyAttributesText(count));

    data.ObjectCount = objects;
    attributes.AttributeCount = count;
    progress.Start("Converting the values", "rows", objects);
    for (int i = 1; i <= objects; ++i) {
        data.ObjectLabels[static_cast<std::size_t>(i)] = table.Label(i);
        for (int j = 1; j <= count; ++j) {
            const std::string& text = table.Value(i, j);
            const std::optional<long double> value = ParseCellNumber(text);
            // The window's grid row and column: the headers come first.
            if (!value)
                throw CellConversionError(i + 1, j + 1, text);
            attributes.Value(i, j) = *value;
        }
        progress.Advance(i);
    }
}

void ComputeEuclideanDistances(const AttributeData& attributes, int objects, TriangularMatrix& matrix,
                               Progress& progress)
{
    const int count = attributes.AttributeCount;
    progress.Start("Computing the distances", "objects", objects);
    std::vector<long double> distances(objects > 1 ? TriangularMatrix::Offset(objects + 1, 1) : 0);
    // Row i against four rows k at once: each sum still runs over j in
    // ascending order, but four independent sums keep the FPU busy.
    constexpr int Block = 4;
    for (int i = 2; i <= objects; ++i) {
        const long double* xi = attributes.Row(i);
        long double* out = distances.data() + TriangularMatrix::Offset(i, 1);
        int k = 1;
        for (; k + Block - 1 < i; k += Block) {
            const long double* x0 = attributes.Row(k);
            const long double* x1 = attributes.Row(k + 1);
            const long double* x2 = attributes.Row(k + 2);
            const long double* x3 = attributes.Row(k + 3);
            long double s0 = 0.0L, s1 = 0.0L, s2 = 0.0L, s3 = 0.0L;
            for (int j = 0; j < count; ++j) {
                const long double v = xi[j];
                const long double d0 = v - x0[j];
                const long double d1 = v - x1[j];
                const long double d2 = v - x2[j];
                const long double d3 = v - x3[j];
                s0 = d0 * d0 + s0;
                s1 = d1 * d1 + s1;
                s2 = d2 * d2 + s2;
                s3 = d3 * d3 + s3;
            }
            out[k - 1] = s0;
            out[k] = s1;
            out[k + 1] = s2;
            out[k + 2] = s3;
        }
        for (; k < i; ++k) {
            const long double* xk = attributes.Row(k);
            long double s = 0.0L;
            for (int j = 0; j < count; ++j) {
                const long double difference = xi[j] - xk[j];
                s = difference * difference + s;
            }
            out[k - 1] = s;
        }
        for (int m = 0; m < i - 1; ++m) {
            // The values are finite, so the only way out of range is upward.
            if (!std::isfinite(out[m]))
                throw Error("Floating point overflow: the distance between objects " + std::to_string(i) +
                            " and " + std::to_string(m + 1) + " is too large");
            out[m] = std::sqrt(out[m]);
        }
        progress.Advance(i);
    }
    std::size_t next = 0;
    for (int i = 2; i <= objects; ++i)
        for (int k = 1; k < i; ++k)
            matrix(i, k) = distances[next++];
}

void StandardizeAttributes(AttributeData& attributes, int objects, const AttributeTexts& table)
{
    const int count = attributes.AttributeCount;
    for (int j = 1; j <= count; ++j) {
        if (objects < 1)
            FailAttribute(table, j, "the table has no objects");
        long double sum = 0.0L;
        long double sumsq = 0.0L;
        bool allEqual = true;
        for (int i = 1; i <= objects; ++i) {
            const long double x = attributes.Value(i, j);
            sum = sum + x;
            sumsq = sumsq + x * x;
            allEqual = allEqual && x == attributes.Value(1, j);
        }
        if (!std::isfinite(sum) || !std::isfinite(sumsq))
            FailAttribute(table, j, "floating point overflow in the sum of its values");
        const long double mean = sum / objects;
        const long double variance = sumsq / objects - mean * mean;
        // Equal values have no spread, even when rounding leaves a trace of
        // one; a variance rounded to zero or below has none either.
        if (allEqual)
            FailAttribute(table, j, ZeroDeviation);
        if (!std::isfinite(variance))
            FailAttribute(table, j, "floating point overflow in its standard deviation");
        // The values differ, but the spread is lost below the range (tiny
        // values whose squares underflow) or in the subtraction.
        if (!(variance > 0.0L))
            FailAttribute(table, j, "its standard deviation is too small to compute");
        const long double sd = std::sqrt(variance);
        for (int i = 1; i <= objects; ++i) {
            const long double z = (attributes.Value(i, j) - mean) / sd;
            if (!std::isfinite(z))
                FailAttribute(table, j,
                              "floating point overflow in the value of object " + std::to_string(i));
            attributes.Value(i, j) = z;
        }
    }
}

} // namespace vantrel
