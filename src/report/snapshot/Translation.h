#pragma once

#include <functional>
#include <string>

namespace qv::report {

// Every text the report engine shows to a user goes through this hook first.
using TranslationHook = std::function<std::string(const std::string&)>;
void setTranslationHook(TranslationHook hook);
std::string translate(const std::string& text);

// Replaces the first "%s" of a fixed message with a value.
std::string formatMessage(const std::string& pattern, const std::string& value);

} // namespace qv::report
