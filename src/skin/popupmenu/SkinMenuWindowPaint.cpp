// Painting one open menu level: the window picture, the items in their looks and the scroll markers.

#include "skin/popupmenu/SkinMenu.h"

#include "runtime/graphics/Bitmap.h"
#include "skin/drawing/DefaultLook.h"
#include "skin/bitmaps/SkinBitmaps.h"

namespace qv {

using namespace defaultlook;

namespace {

constexpr int skinnedGlyphWidth = 16;

} // namespace

void TbsSkinPopupWindow::paint(Canvas& canvas)
{
    TRect r = clientRect();
    if (skinned()) {
        TbsPieceFields f;
        f.LT = m_data->LTPoint;
        f.RT = m_data->RTPoint;
        f.LB = m_data->LBPoint;
        f.RB = m_data->RBPoint;
        f.skinRect = TRect{0, 0, m_picture->width(), m_picture->height()};
        f.clientRect = m_data->ItemsRect;
        TbsPieceGeometry g = m_geometry;
        g.width = r.width();
        g.height = r.height();
        TbsStretchEdges stretch{m_data->LeftStretch, m_data->RightStretch, m_data->TopStretch, m_data->BottomStretch};
        TbsSkinPicture background;
        DrawFramedPieceStretched(background, m_picture, f, g, stretch, m_scrollMode);
        drawSkinPicture(canvas, 0, 0, background);
    } else {
        fillRect(canvas, TRect{0, 0, glyphWidth + 2, r.bottom}, clBtnFace);
        fillRect(canvas, TRect{glyphWidth + 2, 0, r.right, r.bottom}, clWindow);
        frameRect(canvas, r, clBtnShadow);
        frameRect(canvas, inflate(r, -1), clWindow);
    }
    canvas.font = itemFont();
    for (const auto& entry : m_items) {
        if (entry.shown)
            drawItem(canvas, entry);
    }
    if (m_scrollMode)
        drawMarkers(canvas);
}

void TbsSkinPopupWindow::drawMarkers(Canvas& canvas)
{
    TRect up, down;
    TColor normal = clBtnShadow, hot = clBtnText;
    if (skinned()) {
        up = TRect{m_itemsRect.left, m_itemsRect.top, m_itemsRect.right, m_itemsRect.top + markerHeight};
        down = TRect{m_itemsRect.left, m_itemsRect.bottom - markerHeight, m_itemsRect.right, m_itemsRect.bottom};
        normal = m_data->ScrollMarkerColor;
        hot = m_data->ScrollMarkerActiveColor;
    } else {
        up = TRect{3, 3, width() - 3, 13};
        down = TRect{3, height() - 10, width() - 3, height() - 3};
    }
    drawMenuArrow(canvas, up, TbsArrow::Up, m_autoScroll == 1 ? hot : normal);
    drawMenuArrow(canvas, down, TbsArrow::Down, m_autoScroll == 2 ? hot : normal);
}

void TbsSkinPopupWindow::drawItem(Canvas& canvas, const TbsSkinMenuItem& entry)
{
    canvas.intersectClipRect(entry.rect);
    if (skinned())
        drawSkinnedItem(canvas, entry);
    else
        drawPlainItem(canvas, entry);
    canvas.clearClip();
}

void TbsSkinPopupWindow::drawSkinnedItem(Canvas& canvas, const TbsSkinMenuItem& entry)
{
    const TbsDataSkinMenuItem& s = *m_section;
    const TRect& r = entry.rect;
    int w = r.width();
    if (entry.item->isSeparator()) {
        TbsSkinPicture divider;
        DrawHorizontalPiece(divider, m_sectionPicture, s.DividerLeftOffset, s.DividerRightOffset, w, s.DividerRect);
        drawSkinPicture(canvas, r.left, r.top, divider);
        return;
    }
    bool activeLook = entry.active || entry.open;
    auto image = [&](const TRect& source) {
        TbsSkinPicture p;
        DrawHorizontalPiece(p, m_sectionPicture, s.ItemLeftOffset, s.ItemRightOffset, w, source);
        return p;
    };
    TbsSkinPicture look;
    if (s.Morphing && !s.ActiveSkinRect.isEmpty()) {
        // The factor alone decides while morphing, so the fade never jumps ahead of it.
        if (entry.morph.atNormal())
            look = image(s.SkinRect);
        else if (entry.morph.atActive())
            look = image(s.ActiveSkinRect);
        else
            look = morphBlend(image(s.SkinRect), image(s.ActiveSkinRect), entry.morph.factor(), s.MorphKind);
    } else {
        look = image(activeLook && !s.ActiveSkinRect.isEmpty() ? s.ActiveSkinRect : s.SkinRect);
    }
    drawSkinPicture(canvas, r.left, r.top, look);

    TRect text = TRect{s.TextRect.left, s.TextRect.top, w + s.TextRect.right - s.SkinRect.width(), s.TextRect.bottom}
                     .offset(r.left, r.top);
    TColor color = activeLook ? s.ActiveFontColor : entry.item->enabled() ? s.Font.FontColor : s.UnEnabledFontColor;
    drawItemText(canvas, entry, text,
                 {.captionLeft = text.left + skinnedGlyphWidth + 1, .shortCutGap = 16, .glyphLeft = text.left + 2},
                 color);
}

void TbsSkinPopupWindow::drawPlainItem(Canvas& canvas, const TbsSkinMenuItem& entry)
{
    const TRect& r = entry.rect;
    if (entry.item->isSeparator()) {
        fillRect(canvas, TRect{r.left, r.top, r.left + glyphWidth, r.bottom}, clBtnFace);
        fillRect(canvas, TRect{r.left + glyphWidth, r.top, r.right, r.bottom}, clWindow);
        int y = r.top + r.height() / 2;
        fillRect(canvas, TRect{r.left + glyphWidth, y, r.right, y + 1}, clBtnShadow);
        return;
    }
    if (entry.active || entry.open) {
        fillRect(canvas, r, hotFill);
        frameRect(canvas, r, navyFrame);
    } else {
        fillRect(canvas, TRect{r.left, r.top, r.left + glyphWidth, r.bottom}, clBtnFace);
        fillRect(canvas, TRect{r.left + glyphWidth, r.top, r.right, r.bottom}, clWindow);
    }
    TRect inner = inflate(r, -2);
    TColor color = entry.item->enabled() ? clWindowText : clBtnShadow;
    drawItemText(canvas, entry, inner,
                 {.captionLeft = inner.left + glyphWidth + 1, .shortCutGap = 19, .glyphLeft = inner.left + 1}, color);
}

void TbsSkinPopupWindow::drawItemText(Canvas& canvas, const TbsSkinMenuItem& entry, const TRect& text,
                                      const TextPlaces& places, TColor color)
{
    canvas.font.color = color;
    const std::string& caption = entry.item->caption();
    int centre = text.top + text.height() / 2;
    int top = centre - canvas.textHeight(stripAccelerator(caption)) / 2;
    drawMenuCaption(canvas, places.captionLeft, top, caption);
    if (!entry.item->shortCut().empty())
        canvas.textOut(text.right - places.shortCutGap - canvas.textWidth(entry.item->shortCut()), top,
                       entry.item->shortCut());
    if (entry.item->count() > 0)
        drawMenuArrow(canvas, TRect{text.right - 7 - 1, centre - 4, text.right - 7 + 3, centre + 4}, TbsArrow::Right,
                      color);
    drawGlyph(canvas, entry, places.glyphLeft, centre, color);
}

// Frame command items carry the caption buttons' glyphs; other checked items a dot or a tick.
void TbsSkinPopupWindow::drawGlyph(Canvas& canvas, const TbsSkinMenuItem& entry, int left, int centre, TColor color)
{
    const std::string& name = entry.item->name();
    int x = left;
    int y = centre - 4;
    canvas.brush.color = color;
    canvas.brush.style = BrushStyle::Solid;
    canvas.pen.color = color;
    canvas.pen.width = 1;
    if (name == "BSF_CLOSE" || name == "TRAY_BSF_CLOSE") {
        for (int i = 0; i < 7; ++i) {
            canvas.fillRect(TRect{x + i, y + i, x + i + 2, y + i + 1});
            canvas.fillRect(TRect{x + 6 - i, y + i, x + 8 - i, y + i + 1});
        }
        return;
    }
    if (name == "BSF_MINITEM") {
        canvas.fillRect(TRect{x + 1, y + 6, x + 8, y + 8});
        return;
    }
    if (name == "BSF_MAXITEM") {
        frameRect(canvas, TRect{x, y, x + 9, y + 8}, color);
        canvas.fillRect(TRect{x, y, x + 9, y + 2});
        return;
    }
    if (name == "BSF_RESTORE" || name == "TRAY_BSF_RESTORE") {
        frameRect(canvas, TRect{x + 2, y, x + 9, y + 6}, color);
        canvas.fillRect(TRect{x + 2, y, x + 9, y + 2});
        fillRect(canvas, TRect{x, y + 3, x + 7, y + 9}, activeFill(entry));
        frameRect(canvas, TRect{x, y + 3, x + 7, y + 9}, color);
        canvas.fillRect(TRect{x, y + 3, x + 7, y + 5});
        return;
    }
    if (name == "BSF_ROLLUP") {
        canvas.fillRect(TRect{x, y, x + 9, y + 2});
        for (int i = 0; i < 4; ++i)
            canvas.fillRect(TRect{x + 1 + i, y + 7 - i, x + 8 - i, y + 8 - i});
        return;
    }
    if (name == "BSF_MINTOTRAY") {
        frameRect(canvas, TRect{x, y, x + 9, y + 8}, color);
        canvas.fillRect(TRect{x + 4, y + 5, x + 8, y + 7});
        return;
    }
    if (!entry.item->checked())
        return;
    if (entry.item->radioItem()) {
        canvas.ellipse(TRect{x, centre - 3, x + 6, centre + 3});
        return;
    }
    for (int i = 0; i < 3; ++i)
        canvas.polyline({TPoint{x, y + 5 - i}, TPoint{x + 2, y + 7 - i}, TPoint{x + 7, y + 2 - i}});
}

} // namespace qv
