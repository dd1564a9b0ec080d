// The block list of the newer blocks (ids from 110 up, by name), as a mod block list in the
// working folder, so that the block filter dialog can pick them like any mod's blocks.
#pragma once
#include <string>

namespace sgrender {

inline constexpr const char* kNewerBlocksList = "newer-blocks.sgs";

// The list's text: SelectBlock and BlockName lines, CR LF.
std::string newerBlocksListText();
// Writes the list into the folder when it is not there yet; false when it cannot be written.
bool installNewerBlocksList(const std::string& folder);

}  // namespace sgrender
