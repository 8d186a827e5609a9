#pragma once

#include <string>

namespace qv::snapshot {

// Whether page n is printed. An empty selection uses first..last; otherwise
// the comma-separated items are tried in order (ALL, EVEN, ODD, R, n, a-b,
// a-, -b). An item that is no word and no number raises EConvertError.
bool pageInRange(int page, const std::string& selection, int firstPage, int lastPage);

} // namespace qv::snapshot
