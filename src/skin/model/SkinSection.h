#pragma once

#include "skin/model/SkinData.h"
#include "skin/model/SkinPieces.h"

namespace qv {

// What a skinned control copies from its section when it binds: the piece fields,
// the piece mode and plain references to the section's picture and mask, valid
// until the next skin change begins.
struct TbsSkinSectionPieces {
    TbsPieceFields fields;
    TbsPieceMode mode = TbsPieceMode::None;
    const TbsSkinPicture* picture = nullptr;
    const TbsSkinPicture* mask = nullptr;

    // A section of another class than a cut-from-picture one binds as Fixed with nothing to draw.
    void bind(const TbsSkinData& model, int sectionIndex);
    void forget() { *this = TbsSkinSectionPieces(); }
    TbsPieceGeometry geometry(int width, int height) const { return newGeometry(fields, mode, width, height); }
};

} // namespace qv
