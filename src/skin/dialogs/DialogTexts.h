#pragma once

#include <string>

namespace qv {

class TbsSkinData;

// A caption or hint of the file dialogs: the model's string table text under key
// when the model has a table, else the built-in text.
std::string dialogText(const TbsSkinData* model, const std::string& key, const std::string& builtIn);

} // namespace qv
