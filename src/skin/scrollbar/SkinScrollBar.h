#pragma once

#include <string>

#include "runtime/graphics/Bitmap.h"
#include "runtime/ui/Timer.h"
#include "skin/controls/SkinControl.h"
#include "skin/model/SkinPicture.h"

#include <functional>

namespace qv {

enum class TScrollBarKind { Horizontal, Vertical };

// A scroll bar: two arrow buttons and a thumb on a track, cut from a scroll bar
// section or, without one, drawn in system colours. The "up" button increases
// Position (bottom or right end), the "down" button decreases it. Held buttons
// and track presses repeat after a first delay.
class TbsSkinScrollBar : public TbsSkinControl {
public:
    explicit TbsSkinScrollBar(TWinControl* parent);

    enum Part { partNone = -1, partThumb = 0, partUp = 1, partDown = 2 };
    enum class Repeat { None, DownStep, UpStep, PageDown, PageUp };
    static constexpr int firstDelay = 500;
    static constexpr int repeatInterval = 50;

    TScrollBarKind Kind() const { return m_kind; }
    void setKind(TScrollBarKind kind);
    // Remembers the size asked for, so a change of Kind swaps that rather than a fitted one.
    void setBounds(int left, int top, int width, int height) override;
    int Min() const { return m_min; }
    void setMin(int value);
    int Max() const { return m_max; }
    void setMax(int value);
    int Position() const { return m_position; }
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::ScrollBar; }
    std::string accessibleValue() const override { return std::to_string(m_position); }
    void setPosition(int value);
    int PageSize() const { return m_pageSize; }
    void setPageSize(int value);
    int SmallChange() const { return m_smallChange; }
    void setSmallChange(int value);
    int LargeChange() const { return m_largeChange; }
    void setLargeChange(int value);
    bool CanFocused() const { return m_canFocused; }
    void setCanFocused(bool value);
    // Takes range, page and position together: clamps, repaints, no OnChange.
    void setRange(int min, int max, int pageSize, int position);

    void skinChanged() override;
    void skinChangeBegins() override;

    bool dragging() const { return m_dragging; }
    Repeat repeatMode() const { return m_repeat; }
    int activePart() const { return m_activePart; }
    bool partPressed(int part) const { return part >= 0 && part < 3 && m_parts[part].pressed; }
    // Whether the bar draws from a scroll bar section.
    bool skinned() const { return m_look.bound; }

    // Geometry in client coordinates, recomputed before every paint and press.
    TRect trackArea() const;
    TRect partRect(int part) const;
    int partAt(int x, int y) const;

    std::function<void()> onChange;
    std::function<void()> onLastChange;
    std::function<void()> onUpButtonClick;
    std::function<void()> onDownButtonClick;
    std::function<void()> onPageUp;
    std::function<void()> onPageDown;

protected:
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseLeave() override;
    void mouseWheel(int delta, unsigned shift) override;
    void keyDown(int& key, unsigned shift) override;
    void resized() override;

private:
    struct PartState {
        bool active = false;
        bool pressed = false;
    };
    // A part's images in the section's picture; a button's normal image is part of the bar's own.
    struct StateImages {
        TRect normal, active, down;
    };
    // What the bar copies from a scroll bar section; unbound for any other class.
    struct Look {
        bool bound = false;
        // Relative to "skinrect".
        TRect trackArea, upButtonArea, downButtonArea;
        StateImages upButton, downButton, thumb, glyph;
        int thumbOffset1 = 0, thumbOffset2 = 0;
    };

    bool vertical() const { return m_kind == TScrollBarKind::Vertical; }
    int along(int x, int y) const { return vertical() ? y : x; }
    int barLength() const { return vertical() ? height() : width(); }
    int barBreadth() const { return vertical() ? width() : height(); }
    int alongStart(const TRect& r) const { return vertical() ? r.top : r.left; }
    int alongEnd(const TRect& r) const { return vertical() ? r.bottom : r.right; }
    int acrossStart(const TRect& r) const { return vertical() ? r.left : r.top; }
    int acrossEnd(const TRect& r) const { return vertical() ? r.right : r.bottom; }
    // A rectangle from its extent along and across the bar.
    TRect oriented(int alongFrom, int alongTo, int acrossFrom, int acrossTo) const;
    // How far the bar is longer than its section, and where the section's stretch begins.
    int growth() const;
    // A section rectangle in bar coordinates: shifted by the growth when it lies past the stretch.
    TRect afterStretch(const TRect& r) const;
    int minThumbLength() const;
    const TRect& stateImage(int part, const StateImages& images) const;
    void drawThumb(TbsSkinPicture& out, const TRect& thumb) const;
    // A masked section shapes the bar; the shape is rebuilt only when size or skin change.
    void updateRegion();
    int trackStart() const;
    int trackEnd() const;
    int thumbLength() const;
    int firstCentre() const;
    int lastCentre() const;
    int thumbOffset() const;
    void stepUp();
    void stepDown();
    void pageStep();
    void startRepeat(Repeat mode);
    void stopRepeat();
    void repeatTick();
    bool mouseBeforeThumb() const;
    bool mouseAfterThumb() const;
    void setActivePart(int part);
    void drawBox(Canvas& canvas, const TRect& r, bool down, bool hot);
    void drawArrow(Canvas& canvas, const TRect& r, bool towardsEnd);

    TScrollBarKind m_kind = TScrollBarKind::Horizontal;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_pageSize = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    bool m_canFocused = false;

    Look m_look;
    Region m_region;
    bool m_masked = false;
    PartState m_parts[3];
    int m_activePart = partNone;
    int m_capturePart = partNone;
    Repeat m_repeat = Repeat::None;
    bool m_waiting = false;
    bool m_dragging = false;
    int m_pressPos = 0;
    int m_pressOffset = 0;
    TPoint m_mouse;
    int m_askedWidth = 0;
    int m_askedHeight = 0;
    TTimer m_timer;
};

} // namespace qv
