#pragma once

// Engine-private: the large working tables, kept from one run to the next.
// A run on 1000 objects needs several megabytes, and fresh memory of that
// size costs more to map than the whole clustering.

#include "engine/PairKeys.h"

#include <cstddef>
#include <vector>

namespace vantrel::engine {

// A large table in memory of its own, on 2 MB pages where the system has
// them: the tables are read down columns, a page per row, and with 4 kB
// pages nearly every such read would also miss the address translation
// cache. Zeroed when (re)allocated; the contents do not survive growth.
class LargeTable {
public:
    LargeTable() = default;
    LargeTable(const LargeTable&) = delete;
    LargeTable& operator=(const LargeTable&) = delete;
    ~LargeTable();

    void* Reserve(std::size_t bytes);

private:
    void* data_ = nullptr;
    std::size_t bytes_ = 0;
};

struct Workspace {
    // The pairs of live clusters, packed lower triangle by slot: their
    // keys, or for the formulas, which keep no keys, their exact values as
    // 10-byte reals. One table serves both, so that a program running
    // several methods keeps one triangle, not two.
    LargeTable Pairs;
    // Group average: the exact means of pairs with a merged cluster, a row
    // per merged cluster, as 10-byte reals.
    std::vector<unsigned char> Means;
    // Group average: the input as a full square (see InputSquare).
    LargeTable Square;

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
