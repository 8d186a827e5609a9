#pragma once

#include "runtime/graphics/Canvas.h"

namespace qv {

// A pen that can be switched off; SmallDots asks for a one-pixel alternating-dot pen.
struct TChartPen {
    bool Visible = true;
    TColor Color = clBlack;
    int Width = 1;
    PenStyle Style = PenStyle::Solid;
    PenMode Mode = PenMode::Copy;
    bool SmallDots = false;
    bool operator==(const TChartPen&) const = default;
};

struct TChartHiddenPen : TChartPen {
    TChartHiddenPen() { Visible = false; }
};

struct TDarkGrayPen : TChartPen {
    TDarkGrayPen() { Color = clGray; }
};

struct TDottedGrayPen : TChartPen {
    TDottedGrayPen()
    {
        Color = clGray;
        Style = PenStyle::Dot;
    }
};

struct TChartAxisPen : TChartPen {
    TChartAxisPen() { Width = 2; }
};

struct TChartBrush {
    TColor Color = clDefault;
    BrushStyle Style = BrushStyle::Solid;
    const Bitmap* Image = nullptr;
    bool operator==(const TChartBrush&) const = default;
};

// Every chart part starts with this font: Arial 8, or the desktop's own font where
// the user-interface language is written in a script Arial lacks.
Font defaultChartFont();

} // namespace qv
