#include "skin/controls/SkinControl.h"

#include "runtime/core/Property.h"

namespace qv {

TbsSkinControl::TbsSkinControl(TWinControl* parent, const std::string& skinDataName) : TCustomControl(parent), m_skin(skinDataName) {}

void TbsSkinControl::setSkinData(TbsSkinData* data)
{
    m_skin.setSkinData(data);
    if (data && !data->empty())
        skinChanged();
    else
        invalidate();
}

void TbsSkinControl::setSkinDataName(const std::string& name)
{
    m_skin.setSkinDataName(name);
    skinChanged();
}

void TbsSkinControl::setDefaultFont(const Font& font)
{
    if (assignChanged(m_skin.defaultFont, font))
        skinFontChanged();
}

void TbsSkinControl::setUseSkinFont(bool use)
{
    if (assignChanged(m_skin.useSkinFont, use))
        skinFontChanged();
}

void TbsSkinControl::setBounds(int left, int top, int width, int height)
{
    if (m_fitsSection) {
        bindSection();
        const TbsSkinSectionPieces& pieces = m_skin.pieces();
        if (m_skin.hasSection() && pieces.mode != TbsPieceMode::None && !pieces.fields.skinRect.isEmpty()) {
            TbsPieceGeometry g = pieces.geometry(width, height);
            width = g.width;
            height = g.height;
        } else if (!m_skin.hasSection()) {
            if (m_skin.defaultWidth > 0)
                width = m_skin.defaultWidth;
            if (m_skin.defaultHeight > 0)
                height = m_skin.defaultHeight;
        }
    }
    TCustomControl::setBounds(left, top, width, height);
}

void TbsSkinControl::skinChanged()
{
    bindSection();
    // A size still to be measured is measured afresh, in the new look.
    TRect const placed = boundsAsPlaced();
    setBounds(placed.left, placed.top, placed.width(), placed.height());
    invalidate();
}

void relaySkinNotice(TWinControl& root, TbsSkinNotice code, TbsSkinData* model)
{
    // A control may make or free children of its own as it re-binds (the page
    // control's tab scroller); each level is walked as it is once its parent is done.
    const std::vector<TControl*> children = root.controls();
    for (TControl* child : children) {
        auto* skinned = dynamic_cast<TbsSkinNoticeListener*>(child);
        if (skinned && (!model || skinned->SkinData() == model)) {
            switch (code) {
            case SkinChangeBegin: skinned->skinChangeBegins(); break;
            case SkinChanged: skinned->skinChanged(); break;
            case SkinChangeEnd: skinned->skinChangeEnded(); break;
            case SkinStringsChanged: child->invalidate(); break;
            }
        }
        if (auto* holder = dynamic_cast<TWinControl*>(child))
            relaySkinNotice(*holder, code, model);
    }
}

void relaySkinChanged(TWinControl& root, TbsSkinData* model) { relaySkinNotice(root, SkinChanged, model); }

void TbsSkinControl::paint(Canvas& canvas)
{
    bindSection();
    if (m_skin.hasSection())
        drawSkinLook(canvas);
    else
        drawDefaultLook(canvas);
}

} // namespace qv
