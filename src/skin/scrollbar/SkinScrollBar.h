#pragma once

#include "runtime/ui/Timer.h"
#include "skin/controls/SkinControl.h"

#include <functional>

namespace qv {

enum class TScrollBarKind { Horizontal, Vertical };

// A scroll bar drawn by the program: two arrow buttons and a thumb on a track.
// The "up" button increases Position (bottom or right end), the "down" button
// decreases it. Held buttons and track presses repeat after a first delay.
class TbsSkinScrollBar : public TbsSkinControl {
public:
    explicit TbsSkinScrollBar(TWinControl* parent);

    enum Part { partNone = -1, partThumb = 0, partUp = 1, partDown = 2 };
    enum class Repeat { None, DownStep, UpStep, PageDown, PageUp };
    static constexpr int firstDelay = 500;
    static constexpr int repeatInterval = 50;

    TScrollBarKind Kind() const { return m_kind; }
    void setKind(TScrollBarKind kind);
    int Min() const { return m_min; }
    void setMin(int value);
    int Max() const { return m_max; }
    void setMax(int value);
    int Position() const { return m_position; }
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

    bool dragging() const { return m_dragging; }
    Repeat repeatMode() const { return m_repeat; }
    int activePart() const { return m_activePart; }
    bool partPressed(int part) const { return part >= 0 && part < 3 && m_parts[part].pressed; }

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
    void drawDefaultLook(Canvas& canvas) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseLeave() override;
    void mouseWheel(int delta, unsigned shift) override;
    void keyDown(int& key, unsigned shift) override;
    void resized() override { invalidate(); }

private:
    struct PartState {
        bool active = false;
        bool pressed = false;
    };

    bool vertical() const { return m_kind == TScrollBarKind::Vertical; }
    int along(int x, int y) const { return vertical() ? y : x; }
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

    PartState m_parts[3];
    int m_activePart = partNone;
    int m_capturePart = partNone;
    Repeat m_repeat = Repeat::None;
    bool m_waiting = false;
    bool m_dragging = false;
    int m_pressPos = 0;
    int m_pressOffset = 0;
    TPoint m_mouse;
    TTimer m_timer;
};

} // namespace qv
