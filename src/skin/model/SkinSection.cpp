#include "skin/model/SkinSection.h"

namespace qv {

void TbsSkinSectionPieces::bind(const TbsSkinData& model, int sectionIndex)
{
    forget();
    if (sectionIndex < 0 || sectionIndex >= model.skinControlCount())
        return;
    auto* section = dynamic_cast<const TbsDataSkinCustomControl*>(&model.skinControl(sectionIndex));
    if (!section) {
        mode = TbsPieceMode::Fixed;
        return;
    }
    fields = TbsPieceFields{section->LTPoint, section->RTPoint, section->LBPoint, section->RBPoint, section->SkinRect, section->ClRect};
    picture = model.activePicture(section->PictureIndex);
    mask = model.activePicture(section->MaskPictureIndex);
    mode = pieceMode(fields);
}

} // namespace qv
