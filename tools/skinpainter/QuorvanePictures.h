#pragma once

#include "skin/model/SkinPicture.h"

#include <string>
#include <vector>

namespace qv {

// One picture of the skin, the bit depth it is stored at and its [PICTURES] name.
struct PaintedPicture {
    std::string name;
    int bitsPerPixel;
    TbsSkinPicture picture;
};

// Quorvane's own look: the frame picture, its mask and the ten active pictures in archive order.
struct QuorvanePictures {
    PaintedPicture main;
    PaintedPicture mask;
    std::vector<PaintedPicture> active;
};

QuorvanePictures paintQuorvaneSkin();

} // namespace qv
