#pragma once

#include "runtime/graphics/Bitmap.h"

namespace qv {

// The preview's tool button pictures, 16 x 16, drawn here.
enum class PreviewGlyph { Open, Save, Print, First, Previous, Next, Last, ZoomIn, ZoomOut, PageWidth, Page, Exit };
Bitmap previewGlyph(PreviewGlyph glyph);

} // namespace qv
