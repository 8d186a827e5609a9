#pragma once

#include "runtime/graphics/Bitmap.h"
#include "runtime/graphics/Canvas.h"

namespace qv {

// What the grid takes from its skin section: the cell pictures with their
// fixed end widths and text areas, the colours and the two fonts.
struct GridSkin {
    const Bitmap* picture = nullptr;
    TRect fixedCellRect;
    TRect selectCellRect;
    TRect focusCellRect;
    int fixedCellLeftOffset = 0;
    int fixedCellRightOffset = 0;
    int cellLeftOffset = 0;
    int cellRightOffset = 0;
    TRect fixedCellTextRect;
    TRect cellTextRect;
    TColor linesColor = clGray;
    TColor bgColor = clWhite;
    Font font;
    TColor selectFontColor = clWhite;
    TColor focusFontColor = clWhite;
    Font fixedFont;

    // An empty select picture borrows the focus picture and the other way round.
    void fillMissingPictures()
    {
        if (selectCellRect.isEmpty())
            selectCellRect = focusCellRect;
        if (focusCellRect.isEmpty())
            focusCellRect = selectCellRect;
    }
    // Without a fixed-cell picture the section cannot paint a grid.
    bool usable() const { return picture && !picture->isEmpty() && !fixedCellRect.isEmpty(); }
};

// Fits a picture piece to a width: both ends copied as they are, the middle tiled.
void drawHorizontalPiece(Canvas& canvas, const TRect& dst, const Bitmap& picture, const TRect& src, int leftWidth, int rightWidth);

} // namespace qv
