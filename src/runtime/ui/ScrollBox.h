#pragma once

#include "runtime/ui/StdControls.h"
#include "runtime/ui/UiServices.h"

namespace qv {

class Bitmap;
class TMenuItem;

// A framed, scrolling view of one picture (a page at its zoom). The picture sits at the
// top-left while it is larger than the view and is centred in the view otherwise. Scroll
// positions are in pixels from the top-left and stay within their range.
class TScrollBox : public TNativeControl {
public:
    // ui shows the pop-up menu; it must outlive the box.
    TScrollBox(TWinControl* parent, const UiServices& ui);

    // The picture is copied; the view around it takes the box's colour.
    void setPicture(const Bitmap& picture);
    int pictureWidth() const;
    int pictureHeight() const;
    // The colour of a picture pixel, for checks of what the box shows.
    TColor picturePixel(int x, int y) const;

    int horzPosition() const;
    void setHorzPosition(int position);
    int vertPosition() const;
    void setVertPosition(int position);
    int horzRange() const;
    int vertRange() const;
    // The part of the box the picture shows in, inside the frame and the scroll bars.
    int viewWidth() const;
    int viewHeight() const;
    // Pixels one arrow key scrolls.
    int increment() const { return 20; }
    // Width of the frame on each side, and of a vertical scroll bar.
    int frameWidth() const;
    static int scrollBarWidth();

    // The menu a right click (or the menu key) opens; not owned.
    void setPopupMenu(TMenuItem* items) { m_popup = items; }

private:
    void contextMenu(TPoint screen);
    const UiServices& m_ui;
    TMenuItem* m_popup = nullptr;
};

} // namespace qv
