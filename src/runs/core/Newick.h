#pragma once

#include "engine/ClusterTree.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The tree in Newick format, for phylogenetics and plotting tools: leaves in
// the page's order (Left before Right), each merge as "(left,right)", every
// node but the root followed by ":" and its branch length, the whole ended
// by ";" (no line end). A branch is as long as the distance between the
// node's level and its parent's; leaves stand at their own level (0, or the
// similarity leaves' level). Lengths are printed as LevelText prints them.
//
// `labels[k - 1]` is the label of object k, in the encoding the text is
// written in. Throws Error when a branch length is beyond the long double
// range (levels of opposite sign near both ends of it).
std::string NewickText(const ClusterTree& tree, const std::vector<std::string>& labels);

// A label written as it is unless it holds a byte that Newick reads as
// structure: a blank or control character, ( ) [ ] ' : ; , or "_", which
// readers turn into a blank. Then it is enclosed in single quotes, inner
// quotes doubled. The test is on bytes, so a double-byte character whose
// second byte reads as "[", "]" or "_" is quoted too, for readers that work
// byte by byte.
std::string NewickLabel(std::string_view label);

} // namespace vantrel
