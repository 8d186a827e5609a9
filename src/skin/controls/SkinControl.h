#pragma once

#include "runtime/ui/Control.h"
#include "skin/controls/SkinBinding.h"
#include "skin/drawing/DefaultLook.h"

namespace qv {

// Base of the skinned custom controls. Painting binds the section first; with
// one the skin look is drawn, without one (no model, an empty model, no section
// of that name) the control's default look in system colours. Either way it
// goes to the off-screen bitmap the runtime copies in one step.
class TbsSkinControl : public TCustomControl, public TbsSkinNoticeListener {
public:
    TbsSkinControl(TWinControl* parent, const std::string& skinDataName);

    TbsSkinData* SkinData() const override { return m_skin.skinData(); }
    virtual void setSkinData(TbsSkinData* data);
    const std::string& SkinDataName() const { return m_skin.skinDataName(); }
    virtual void setSkinDataName(const std::string& name);
    const Font& DefaultFont() const { return m_skin.defaultFont; }
    // Either may change the font text is drawn in, whether a section is bound or not.
    void setDefaultFont(const Font& font);
    bool UseSkinFont() const { return m_skin.useSkinFont; }
    void setUseSkinFont(bool use);
    int DefaultWidth() const { return m_skin.defaultWidth; }
    void setDefaultWidth(int width) { m_skin.defaultWidth = width; }
    int DefaultHeight() const { return m_skin.defaultHeight; }
    void setDefaultHeight(int height) { m_skin.defaultHeight = height; }
    int sectionIndex() const override { return m_skin.sectionIndex(); }

    // A family that draws its picture from the section takes the size its piece
    // mode allows: a Fixed one keeps the section's size, a Horizontal one its
    // height, a Vertical one its width.
    void setBounds(int left, int top, int width, int height) override;

    // Skin change notices relayed by the form's frame.
    void skinChangeBegins() override { m_skin.forget(); }
    void skinChanged() override;

protected:
    void paint(Canvas& canvas) override;
    virtual void bindSection() { m_skin.bind(); }
    virtual void drawDefaultLook(Canvas& canvas) = 0;
    // Families that draw nothing of their own from a section keep the default look.
    virtual void drawSkinLook(Canvas& canvas) { drawDefaultLook(canvas); }
    // The font text is drawn with: the section's when bound and UseSkinFont, else DefaultFont.
    virtual Font textFont() const
    {
        Font f = m_skin.defaultFont;
        f.charset = m_skin.charset(f);
        return f;
    }
    // A section's font when there is one and UseSkinFont holds, else DefaultFont.
    Font sectionFont(const TbsSkinFontFields* fields) const
    {
        return fields && UseSkinFont() ? skinFont(*fields, DefaultFont()) : DefaultFont();
    }
    // DefaultFont or UseSkinFont changed.
    virtual void skinFontChanged() { fontChanged(); }

    // Families whose skin look is drawn to the section's geometry switch this on.
    void setFitsSection(bool fits) { m_fitsSection = fits; }

    TbsSkinBinding& skin() { return m_skin; }
    const TbsSkinBinding& skin() const { return m_skin; }

private:
    TbsSkinBinding m_skin;
    bool m_fitsSection = false;
};

// Hands a skin change notice to every skinned control under root whose model is
// model (every one when model is null): SkinChangeBegin makes them forget their
// sections, SkinChanged binds them anew, re-sizes and repaints them.
void relaySkinNotice(TWinControl& root, TbsSkinNotice code, TbsSkinData* model);
// Re-binds every skinned control under root, as after a skin load.
void relaySkinChanged(TWinControl& root, TbsSkinData* model = nullptr);

} // namespace qv
