#pragma once

#include "runtime/graphics/Canvas.h"
#include "runtime/ui/Control.h"

namespace qv {

// Which part of a drawn window frame a point is in. Object is the frame's own
// (a caption button, say): the window system does nothing with it.
enum class THitCode { Client, Caption, Object, Left, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };

inline bool isSizingEdge(THitCode code) { return code >= THitCode::Left; }

struct TSizeLimits {
    int minWidth = 0;
    int minHeight = 0;
    int maxWidth = 0;  // 0: none
    int maxHeight = 0; // 0: none
};

// The non-client area of a frameless top-level window, drawn and worked by a
// component on the form. While a form has one, the platform's caption and
// borders are gone: the form asks the frame for the client margins, its hit
// codes, its paint and its size limits, and hands it every mouse message over
// the frame. Moving and resizing go through the window system's own requests;
// when nothing answers them (no window manager) the form tracks the mouse itself.
// All points are in window coordinates (the window's top-left is 0, 0).
class TFormFrame {
public:
    virtual ~TFormFrame() = default;

    // Thickness of the frame on each side, as left, top, right, bottom.
    virtual TRect clientMargins() = 0;
    virtual THitCode hitTest(TPoint p) = 0;
    virtual void paintFrame(Canvas& canvas) = 0;
    // The client area's background; the canvas origin is the client's top-left.
    virtual void eraseClient(Canvas& canvas) = 0;
    virtual TSizeLimits sizeLimits() = 0;

    virtual void ncMouseDown(MouseButton, TPoint) {}
    virtual void ncMouseUp(MouseButton, TPoint) {}
    virtual void ncMouseMove(TPoint) {}
    virtual void ncDoubleClick(MouseButton, TPoint) {}

    virtual void activationChanged(bool /*active*/) {}
    virtual void resized() {}
    virtual void shown() {}
    virtual void captionChanged() {}
    // A move the form tracks itself proposes new bounds; the frame may change them.
    virtual void moving(TRect& /*proposed*/) {}
    virtual void sizeMoveStarted() {}
    virtual void sizeMoveEnded() {}
    // A press anywhere in the window, a move, resize, activation change or focus
    // loss: whatever menu is open closes.
    virtual void menuClosingMessage() {}
};

} // namespace qv
