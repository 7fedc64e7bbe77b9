#pragma once

#include "platform/core/TextList.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// What the matrix files hold and a matrix window confirms: the labels of N
// objects and the cell texts of the lower triangle, exactly as typed or
// read, with no headers and no "*" marks. Texts are code page 932 bytes.
struct MatrixTexts {
    // The label of object i is Labels[i - 1].
    std::vector<std::string> Labels;
    // The values of the pairs (i, j), i > j, row by row: (2,1), (3,1),
    // (3,2), ... A file that stops early leaves the list short.
    TextList Values;

    int ObjectCount() const { return static_cast<int>(Labels.size()); }
    std::size_t PairCount() const
    {
        const std::size_t n = Labels.size();
        return n < 2 ? 0 : n * (n - 1) / 2;
    }
    bool Complete() const { return Values.Size() >= PairCount(); }

    // The position of the pair (i, j), i > j, in Values.
    static std::size_t PairIndex(int i, int j)
    {
        return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(i - 2) / 2 +
               static_cast<std::size_t>(j - 1);
    }
    // The text of the pair (i, j), i > j; empty when the list stops short.
    std::string_view Value(int i, int j) const
    {
        const std::size_t k = PairIndex(i, j);
        return k < Values.Size() ? Values[k] : std::string_view();
    }
};

} // namespace vantrel
