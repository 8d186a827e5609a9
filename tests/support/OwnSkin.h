#pragma once

#include "skin/model/SkinData.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"

#include <string>

namespace qv::test {

// Our own compiled-in skin, loaded once as the main window loads it.
inline TbsSkinData& ownSkin()
{
    static TbsCompressedStoredSkin store;
    static TbsSkinData* model = [] {
        store.FileName = "SKIN.INI";
        store.setCompressedData(std::string(quorvaneCompressedSkin()));
        auto* m = new TbsSkinData;
        m->setCompressedStoredSkin(&store);
        return m;
    }();
    return *model;
}

} // namespace qv::test
