// Painting the skinned frame and the client background.

#include "skin/frame/SkinForm.h"

#include "skin/bitmaps/SkinBitmaps.h"

namespace qv {

void TbsSkinForm::eraseClient(Canvas& canvas)
{
    int const cw = m_form.clientWidth(), ch = m_form.clientHeight();
    if (!m_skinSupport) {
        canvas.brush.color = clBtnFace;
        canvas.brush.style = BrushStyle::Solid;
        canvas.fillRect(TRect{0, 0, cw, ch});
        return;
    }
    const TbsSkinFrameInfo& fi = m_skinData->frame();
    const TbsSkinPicture* bg = m_skinData->activePicture(fi.BGPictureIndex);
    TbsSkinPicture tile;
    if (bg) {
        tile = *bg;
    } else if (!fi.ClRect.isEmpty()) {
        tile.setSize(fi.ClRect.width(), fi.ClRect.height());
        tile.copyRect(TRect{0, 0, tile.width(), tile.height()}, m_skinData->picture(), fi.ClRect);
    }
    if (tile.isEmpty()) {
        canvas.brush.color = clBtnFace;
        canvas.brush.style = BrushStyle::Solid;
        canvas.fillRect(TRect{0, 0, cw, ch});
        return;
    }
    Bitmap const piece = toBitmap(tile);
    TRect const clip = canvas.clipBox();
    for (int x = 0; x < cw; x += tile.width()) {
        for (int y = 0; y < ch; y += tile.height()) {
            if (TRect{x, y, x + tile.width(), y + tile.height()}.intersects(clip))
                canvas.draw(x, y, piece);
        }
    }
}

void TbsSkinForm::paintFrame(Canvas& canvas)
{
    if (m_skinSupport)
        paintSkinFrame(canvas);
    else
        paintPlainFrame(canvas);
}

void TbsSkinForm::paintSkinFrame(Canvas& canvas)
{
    if (m_form.width() < m_skinData->picture().width() || m_form.height() < minimumHeight())
        return;
    recomputeGeometry();
    layoutObjects();
    const TbsFrameGeometry& g = m_geometry;
    DrawFrameStrips(m_strips, *mainPicture(), m_skinData->frame(), g);
    int const topH = m_strips.top.height(), bottomH = m_strips.bottom.height();
    TRect const clip = canvas.clipBox();
    bool const full = clip.left <= 0 && clip.top <= 0 && clip.right >= g.W && clip.bottom >= g.H;
    struct Piece {
        const TbsSkinPicture& picture;
        int x, y;
        bool objectsGoHere;
        int shift;
    };
    Piece const pieces[] = {{m_strips.top, 0, 0, true, 0},
                            {m_strips.left, 0, topH, false, 0},
                            {m_strips.right, g.W - m_strips.right.width(), topH, false, 0},
                            {m_strips.bottom, 0, g.H - bottomH, true, g.H - bottomH}};
    for (const Piece& piece : pieces) {
        TRect const at{piece.x, piece.y, piece.x + piece.picture.width(), piece.y + piece.picture.height()};
        if (piece.picture.isEmpty() || !at.intersects(clip))
            continue;
        Bitmap strip = toBitmap(piece.picture);
        if (piece.objectsGoHere) {
            Canvas& c = strip.canvas();
            c.setOrigin(0, -piece.shift);
            for (auto& o : m_objects) {
                bool const onBottom = o->objectRect().bottom > g.client.top;
                if (!o->visible() || onBottom != (piece.shift != 0))
                    continue;
                o->draw(c, full);
                c.clearClip();
            }
        }
        canvas.draw(piece.x, piece.y, strip);
    }
}

} // namespace qv
