#pragma once

// Engine-private: the large working tables, kept from one run to the next.
// A run on 1000 objects needs several megabytes, and fresh memory of that
// size costs more to map than the whole clustering.

#include "engine/PairKeys.h"

#include <cstddef>
#include <vector>

namespace vantrel::engine {

struct Workspace {
    // Keys of the pairs of live clusters, packed lower triangle by slot.
    std::vector<Key> Keys;
    // Group average: the exact means of pairs with a merged cluster, same
    // layout.
    std::vector<long double> Means;
    // Group average: the input as a full square (see InputSquare).
    std::vector<unsigned char> Square;

    template <class T>
    static T* Reserve(std::vector<T>& table, std::size_t size)
    {
        if (table.size() < size)
            table.resize(size);
        return table.data();
    }
};

// One per thread: runs on different threads never share tables.
Workspace& SharedWorkspace();

} // namespace vantrel::engine
