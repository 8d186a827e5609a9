#pragma once

#include <string_view>

namespace qv {

// The program's own skin as it is stored in the executable: one zlib stream
// (deflated at level 9) of the skin archive.
std::string_view quorvaneCompressedSkin();

} // namespace qv
