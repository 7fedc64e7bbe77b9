#pragma once

// Engine-private, part of CandidateMerge (CandidateEngine.h): the
// tournament over the slots, whose top holds the cluster whose candidate is
// merged first. A changed candidate costs one way up the tree, O(log N).

#include "engine/CandidateEngine.h"

namespace vantrel::engine {
namespace {

// Of the candidates of the clusters in two slots, the one merged first: the
// better value, ties to the smaller id, which is the smaller slot.
template <class Rule, class Order>
inline int CandidateMerge<Rule, Order>::Winner(int first, int second) const
{
    const int c = slotId_[first];
    const int d = slotId_[second];
    const Key ck = c != 0 ? candidateKey_[c] : NoKey;
    const Key dk = d != 0 ? candidateKey_[d] : NoKey;
    if (dk == NoKey)
        return first;
    if (ck == NoKey)
        return second;
    const int order = Compare(
        ck, [&] { return CandidateValue(c); }, dk, [&] { return CandidateValue(d); });
    return order < 0 || (order == 0 && first < second) ? first : second;
}

template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::UpdateTournament(int slot)
{
    for (int i = (leaves_ + slot) >> 1; i >= 1; i >>= 1)
        tournament_[i] = Winner(tournament_[2 * i], tournament_[2 * i + 1]);
}

template <class Rule, class Order>
inline void CandidateMerge<Rule, Order>::RebuildTournament()
{
    for (int s = 0; s < leaves_; ++s)
        tournament_[leaves_ + s] = s;
    for (int i = leaves_ - 1; i >= 1; --i)
        tournament_[i] = Winner(tournament_[2 * i], tournament_[2 * i + 1]);
}

} // namespace
} // namespace vantrel::engine
