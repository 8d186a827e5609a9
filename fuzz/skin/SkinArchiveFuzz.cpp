// The skin archive reader and INI loader over hostile bytes: inputs that begin
// like a zlib stream go through the store (inflate, then load), all others are
// taken as an inflated archive. Errors are expected; crashes, hangs and
// sanitizer reports are not.

#include "skin/model/SkinData.h"
#include "skin/model/SkinPieces.h"
#include "skin/model/SkinSection.h"
#include "skin/store/CompressedStoredSkin.h"

#include <cstdint>
#include <exception>
#include <string>

using namespace qv;

namespace {

// Cut every section's normal picture at a modest size, as a control would.
void drawSections(const TbsSkinData& model)
{
    for (int i = 0; i < model.skinControlCount() && i < 64; ++i) {
        TbsSkinSectionPieces pieces;
        pieces.bind(model, i);
        TbsPieceGeometry g = pieces.geometry(97, 41);
        if (g.width > 512 || g.height > 512)
            continue;
        TbsSkinPicture out;
        drawPiece(out, pieces.picture, pieces.fields, pieces.mode, g, pieces.fields.skinRect);
        pieceRegion(pieces.mask, pieces.fields, pieces.mode, g);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    TbsSkinData model;
    try {
        if (size >= 2 && data[0] == 0x78) {
            TbsCompressedStoredSkin store;
            store.setCompressedData(bytes);
            model.setCompressedStoredSkin(&store);
        } else {
            model.loadFromArchive(bytes);
        }
    } catch (const std::exception&) {
        if (!model.empty())
            __builtin_trap(); // a failed load must leave the model empty
        return 0;
    }
    if (!model.empty())
        drawSections(model);
    return 0;
}
