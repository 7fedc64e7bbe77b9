#pragma once

#include "input/core/AttributeTexts.h"
#include "platform/core/Progress.h"

namespace vantrel {

struct AnalysisData;
struct AttributeData;
class TriangularMatrix;

// Euclidean and standardized Euclidean distances of an attribute table.
//
// The values are 80-bit reals and every sum runs in ascending index order,
// so results match a plain transcription of the formulas bit for bit:
//   distance   s := (x[i,j] - x[k,j])^2 + s over j = 1..M, then sqrt(s)
//   standardize mean := sum / N, sd := sqrt(sumsq / N - mean^2),
//               x := (x - mean) / sd  (population deviation, divisor N)
// Nothing that cannot be represented gets stored: an overflow or a zero
// deviation throws Error with the object or attribute named.

// Reads the table into the working data: ObjectCount and AttributeCount
// first, then per object its label and its values, converted from the cell
// texts. A table beyond the capacity of the working data throws Error before
// anything is written. The first cell that does not convert throws
// CellConversionError naming the cell's row and column in the window's grid;
// what came before stays read. The objects read are counted on `progress`.
void ReadAttributeTable(const AttributeTexts& table, AnalysisData& data, AttributeData& attributes,
                        Progress& progress = NoProgress());

// The distances between objects 1..objects over attributes 1..AttributeCount
// into the lower triangle of `matrix`. All are computed before any is
// stored, so a failure or a cancel on `progress` (which counts the objects
// done) leaves `matrix` as it was.
void ComputeEuclideanDistances(const AttributeData& attributes, int objects, TriangularMatrix& matrix,
                               Progress& progress = NoProgress());

// Standardizes every attribute in place, in ascending order. A zero
// deviation (every object has the same value, so always with one object,
// or a spread lost in rounding), no objects at all, or an overflow throws
// Error naming the attribute by its
// number and by its name in `table`; the attributes before it stay
// standardized.
void StandardizeAttributes(AttributeData& attributes, int objects, const AttributeTexts& table);

} // namespace vantrel
