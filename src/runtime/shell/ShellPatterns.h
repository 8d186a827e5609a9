#pragma once

#include <string>
#include <vector>

namespace qv {

// Whether name matches a wildcard pattern ("*" any run, "?" one character), without
// regard to case.
bool shellMatchesPattern(const std::string& name, const std::string& pattern);

// The patterns of a file-list mask: separated by ";" or "|", and only those that
// hold a ".".
std::vector<std::string> shellMaskPatterns(const std::string& mask);
// Whether a file of this name shows under the mask; "*.*" takes every name.
bool shellMatchesMask(const std::string& name, const std::string& mask);

} // namespace qv
