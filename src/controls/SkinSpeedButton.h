#pragma once

#include "runtime/graphics/Bitmap.h"
#include "skin/controls/SkinButton.h"

namespace qv {

// A small button that never takes the focus and shows a glyph in its middle, as
// the calendar's stepping buttons.
class TbsSkinSpeedButton : public TbsSkinButton {
public:
    explicit TbsSkinSpeedButton(TWinControl* parent, const std::string& skinDataName = "resizebutton");

    const Bitmap& Glyph() const { return m_glyph; }
    void setGlyph(const Bitmap& glyph);

protected:
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;

private:
    void drawGlyph(Canvas& canvas, const TRect& area);
    Bitmap m_glyph;
};

} // namespace qv
