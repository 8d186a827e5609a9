#pragma once

#include "runtime/graphics/Bitmap.h"

#include <string>

namespace qv {

// The program's own pictures for the file dialogs, drawn once on first use.
// Glyphs are 16 x 16 on glyphTransparent, which is drawn as see-through.
constexpr TColor glyphTransparent = 0x00FF00FF;

// "BS_BACK", "BS_UP", "BS_NEWFOLDER", "BS_LVSTYLE"; an unknown name gives an empty bitmap.
const Bitmap& dialogGlyph(const std::string& name);

enum class TShellIconSize { Small, Large };
// A folder or a document, 16 or 32 pixels square, on glyphTransparent.
const Bitmap& shellIcon(bool folder, TShellIconSize size);

} // namespace qv
