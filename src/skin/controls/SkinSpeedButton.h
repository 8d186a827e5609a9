#pragma once

#include "runtime/graphics/Bitmap.h"
#include "skin/controls/SkinButton.h"

#include <string>

namespace qv {

// A small glyph button that never takes the focus: the file dialog's tool-bar
// buttons and the calendar's stepping buttons. It clicks on a release over it
// and, with RepeatMode, while held down.
class TbsSkinSpeedButton : public TbsSkinButton {
public:
    explicit TbsSkinSpeedButton(TWinControl* parent, const std::string& skinDataName = "toolbutton");

    // Drawn transparently: the colour of its bottom-left pixel is see-through.
    const Bitmap& Glyph() const { return m_glyph; }
    void setGlyph(const Bitmap& glyph);
    // Without a section a flat button shows no frame until the mouse is over it.
    bool Flat() const { return m_flat; }
    void setFlat(bool flat);

    // Where the glyph is centred.
    virtual TRect glyphArea() const;

protected:
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;
    // Drawn over the glyph in both looks; the menu button's arrow.
    virtual void drawExtras(Canvas&) {}

private:
    void drawGlyph(Canvas& canvas);

    Bitmap m_glyph;
    bool m_flat = false;
};

} // namespace qv
