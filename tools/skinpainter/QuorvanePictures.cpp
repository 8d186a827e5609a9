#include "QuorvanePictures.h"
#include "Paint.h"

#include <cmath>

namespace qv {

using namespace paint;

namespace {

// One calm palette: slate for the frame, light neutral surfaces, one blue accent.
namespace ink {
constexpr TColor outline = rgb(27, 42, 58);
constexpr TColor slate = rgb(46, 74, 102);
constexpr TColor slateLight = rgb(79, 116, 152);
constexpr TColor slateMid = rgb(61, 95, 130);
constexpr TColor slateDeep = rgb(34, 56, 79);
constexpr TColor captionTop = rgb(80, 117, 153);
constexpr TColor captionBottom = rgb(47, 78, 109);
constexpr TColor glyph = rgb(226, 234, 242);
constexpr TColor glyphDim = rgb(160, 178, 197);
constexpr TColor accent = rgb(30, 123, 224);
constexpr TColor accentTop = rgb(58, 145, 238);
constexpr TColor accentDeep = rgb(22, 96, 184);
constexpr TColor accentBorder = rgb(21, 89, 168);
constexpr TColor accentPale = rgb(214, 232, 251);
constexpr TColor accentPaleBorder = rgb(128, 178, 235);
constexpr TColor danger = rgb(214, 69, 65);
constexpr TColor dangerDeep = rgb(176, 52, 49);
constexpr TColor white = rgb(255, 255, 255);
constexpr TColor surface = rgb(247, 249, 251);
constexpr TColor surfaceLow = rgb(228, 233, 239);
constexpr TColor face = rgb(240, 242, 245);
constexpr TColor line = rgb(167, 180, 194);
constexpr TColor lineSoft = rgb(201, 210, 220);
constexpr TColor shade = rgb(233, 238, 243);
constexpr TColor text = rgb(74, 90, 106);
} // namespace ink

TRect rc(int l, int t, int r, int b) { return TRect{l, t, r, b}; }

Rounded rounded(double radius, Fill fill, TColor border)
{
    Rounded s;
    s.radius = radius;
    s.fill = std::move(fill);
    s.border = border;
    return s;
}

// The caption band of the frame, shared by the caption buttons drawn over it.
TColor captionAt(int y)
{
    if (y <= 0)
        return ink::outline;
    if (y == 1)
        return mix(ink::captionTop, ink::white, 0.18);
    return mix(ink::captionTop, ink::captionBottom, (y - 2) / 27.0);
}

// --- glyphs, drawn into a 15 x 15 cell at (x, y) ---

void glyphClose(TbsSkinPicture& p, int x, int y, TColor c)
{
    line(p, x + 4, y + 4, x + 10, y + 10, c);
    line(p, x + 10, y + 4, x + 4, y + 10, c);
    line(p, x + 4.5, y + 4, x + 10.5, y + 10, c, 0.45);
    line(p, x + 10.5, y + 4, x + 4.5, y + 10, c, 0.45);
}

void glyphMaximize(TbsSkinPicture& p, int x, int y, TColor c)
{
    hline(p, x + 4, x + 11, y + 4, c);
    hline(p, x + 4, x + 11, y + 5, c);
    hline(p, x + 4, x + 11, y + 10, c);
    vline(p, x + 4, y + 4, y + 11, c);
    vline(p, x + 10, y + 4, y + 11, c);
}

void glyphRestore(TbsSkinPicture& p, int x, int y, TColor c)
{
    hline(p, x + 6, x + 12, y + 3, c);
    vline(p, x + 11, y + 3, y + 9, c);
    hline(p, x + 10, x + 12, y + 8, c);
    vline(p, x + 6, y + 3, y + 5, c);
    hline(p, x + 3, x + 10, y + 5, c);
    hline(p, x + 3, x + 10, y + 6, c);
    hline(p, x + 3, x + 10, y + 11, c);
    vline(p, x + 3, y + 5, y + 12, c);
    vline(p, x + 9, y + 5, y + 12, c);
}

void glyphMinimize(TbsSkinPicture& p, int x, int y, TColor c)
{
    hline(p, x + 4, x + 11, y + 9, c);
    hline(p, x + 4, x + 11, y + 10, c);
}

// A chevron pointing up (dir -1) or down (dir 1), centred in a w x h cell.
void chevron(TbsSkinPicture& p, int x, int y, int w, int h, int dir, TColor c)
{
    double cx = x + w / 2.0 - 0.5, cy = y + h / 2.0 - 0.5;
    double tip = cy + dir * 1.5, arm = cy - dir * 1.5;
    line(p, cx - 3, arm, cx, tip, c);
    line(p, cx, tip, cx + 3, arm, c);
    line(p, cx - 3, arm - dir * 0.7, cx, tip - dir * 0.7, c, 0.5);
    line(p, cx, tip - dir * 0.7, cx + 3, arm - dir * 0.7, c, 0.5);
}

// The same chevron turned to point left (dir -1) or right (dir 1).
void chevronSide(TbsSkinPicture& p, int x, int y, int w, int h, int dir, TColor c)
{
    double cx = x + w / 2.0 - 0.5, cy = y + h / 2.0 - 0.5;
    double tip = cx + dir * 1.5, arm = cx - dir * 1.5;
    line(p, arm, cy - 3, tip, cy, c);
    line(p, tip, cy, arm, cy + 3, c);
    line(p, arm - dir * 0.7, cy - 3, tip - dir * 0.7, cy, c, 0.5);
    line(p, tip - dir * 0.7, cy, arm - dir * 0.7, cy + 3, c, 0.5);
}

// The application's mark: a tile with three rising bars.
void appMark(TbsSkinPicture& p, int x, int y)
{
    roundedRect(p, rc(x + 1, y + 1, x + 14, y + 14), rounded(3, vertical(rgb(240, 246, 252), rgb(214, 229, 245), y + 1, y + 14), rgb(24, 48, 74)));
    fillRect(p, rc(x + 4, y + 8, x + 6, y + 11), flat(ink::accent));
    fillRect(p, rc(x + 7, y + 6, x + 9, y + 11), flat(ink::accent));
    fillRect(p, rc(x + 10, y + 4, x + 12, y + 11), flat(ink::accentDeep));
}

// --- the frame ---

TbsSkinPicture paintFrame()
{
    const int W = 205, H = 167;
    TbsSkinPicture p(W, H, ink::slate);
    // Caption band over the top 30 rows, sides and bottom in slate.
    fillRect(p, rc(0, 0, W, 30), [](int, int y) { return captionAt(y); });
    // Outer outline with rounded top corners; what lies outside is cut away by the mask.
    bool corners[4] = {true, true, false, false};
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            double inner = roundedCoverage(rc(1, 1, W - 1, H - 1), 5, corners, x, y);
            p.setPixel(x, y, mix(ink::outline, p.pixel(x, y), inner));
        }
    }
    // The window body, tiled behind the controls, is the light neutral face.
    fillRect(p, rc(7, 30, W - 7, H - 7), flat(ink::face));
    // A fine line frames the client area so the window body sits crisply in the frame.
    hline(p, 6, W - 6, 29, ink::slateDeep);
    hline(p, 6, W - 6, H - 7, ink::slateDeep);
    vline(p, 6, 29, H - 6, ink::slateDeep);
    vline(p, W - 7, 29, H - 6, ink::slateDeep);
    appMark(p, 19, 7);
    return p;
}

TbsSkinPicture paintFrameMask()
{
    const int W = 205, H = 167;
    TbsSkinPicture m(W, H, ink::white);
    bool corners[4] = {true, true, false, false};
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (roundedCoverage(rc(0, 0, W, H), 6, corners, x, y) >= 0.5)
                m.setPixel(x, y, 0);
        }
    }
    return m;
}

// --- caption buttons: a glyph on the band, a soft backdrop under the mouse ---

enum class ButtonState { Normal, Hot, Down, Inactive };

void captionButton(TbsSkinPicture& p, int x, int y, ButtonState state, bool danger, void (*draw)(TbsSkinPicture&, int, int, TColor))
{
    // Rows of the cell line up with frame rows 7..21.
    fillRect(p, rc(x, y, x + 15, y + 15), [y](int, int py) { return captionAt(7 + py - y); });
    TColor g = ink::glyph;
    if (state == ButtonState::Hot) {
        roundedRect(p, rc(x, y, x + 15, y + 15), rounded(3, flat(danger ? ink::danger : ink::slateLight), danger ? ink::dangerDeep : mix(ink::slateLight, ink::outline, 0.35)));
        g = ink::white;
    } else if (state == ButtonState::Down) {
        roundedRect(p, rc(x, y, x + 15, y + 15), rounded(3, flat(danger ? ink::dangerDeep : ink::slateDeep), ink::outline));
        g = ink::white;
    } else if (state == ButtonState::Inactive) {
        g = ink::glyphDim;
    }
    draw(p, x, y, g);
}

void glyphRollUp(TbsSkinPicture& p, int x, int y, TColor c) { chevron(p, x, y, 15, 15, -1, c); }
void glyphRollDown(TbsSkinPicture& p, int x, int y, TColor c) { chevron(p, x, y, 15, 15, 1, c); }

TbsSkinPicture paintCaptionButtons()
{
    // Six columns of four states, 15 x 15 each, a pixel apart: 112 x 67 in all.
    TbsSkinPicture p(112, 67, ink::slate);
    fillRect(p, rc(0, 0, 112, 67), [](int, int y) { return captionAt(7 + (y % 17) - 1); });
    struct Column {
        int x;
        bool danger;
        void (*glyph)(TbsSkinPicture&, int, int, TColor);
    };
    const Column columns[] = {{1, true, glyphClose}, {17, false, glyphMaximize}, {33, false, glyphMinimize},
        {49, false, glyphRollUp}, {65, false, glyphRestore}, {97, false, glyphRollDown}};
    const ButtonState states[] = {ButtonState::Normal, ButtonState::Hot, ButtonState::Down, ButtonState::Inactive};
    for (const Column& c : columns) {
        for (int s = 0; s < 4; ++s)
            captionButton(p, c.x, 1 + 17 * s, states[s], c.danger, c.glyph);
    }
    // System menu: its normal look is part of the frame; hot and down looks here.
    for (int s = 0; s < 2; ++s) {
        int y = 1 + 17 * s;
        fillRect(p, rc(81, y, 96, y + 15), [y](int, int py) { return captionAt(7 + py - y); });
        roundedRect(p, rc(81, y, 96, y + 15), rounded(3, flat(s == 0 ? ink::slateLight : ink::slateDeep), ink::outline));
        appMark(p, 81, y);
    }
    return p;
}

// --- menus ---

TbsSkinPicture paintPopupWindow()
{
    TbsSkinPicture p(61, 40, ink::slate);
    fillRect(p, rc(0, 0, 61, 40), flat(ink::slate));
    fillRect(p, rc(0, 0, 61, 1), flat(ink::outline));
    fillRect(p, rc(0, 39, 61, 40), flat(ink::outline));
    fillRect(p, rc(0, 0, 1, 40), flat(ink::outline));
    fillRect(p, rc(60, 0, 61, 40), flat(ink::outline));
    hline(p, 1, 60, 1, ink::slateMid);
    vline(p, 1, 1, 39, ink::slateMid);
    return p;
}

TColor menuBarAt(int y) { return mix(rgb(252, 253, 254), rgb(233, 238, 243), y / 21.0); }

TbsSkinPicture paintMenuItems()
{
    TbsSkinPicture p(54, 80, ink::slate);
    // Bar items sit at row 2 of the bar; the normal one is the bar itself.
    fillRect(p, rc(0, 0, 54, 18), [](int, int y) { return menuBarAt(y + 2); });
    fillRect(p, rc(0, 18, 54, 36), [](int, int y) { return menuBarAt(y - 18 + 2); });
    roundedRect(p, rc(0, 18, 54, 36), rounded(3, vertical(ink::accentTop, ink::accent, 18, 36), ink::accentBorder));
    // Popup items on the slate popup: the hot one is a pale blue plate with dark text.
    fillRect(p, rc(0, 36, 54, 80), flat(ink::slate));
    roundedRect(p, rc(1, 37, 53, 55), rounded(2, vertical(rgb(228, 240, 253), ink::accentPale, 37, 55), ink::accentPaleBorder));
    hline(p, 5, 49, 77, rgb(30, 49, 69));
    hline(p, 5, 49, 78, rgb(76, 104, 133));
    return p;
}

TbsSkinPicture paintHintWindow()
{
    TbsSkinPicture p(47, 21, ink::white);
    roundedRect(p, rc(0, 0, 47, 21), rounded(2, vertical(rgb(252, 253, 254), rgb(238, 242, 247), 0, 21), rgb(139, 154, 171)));
    return p;
}

TbsSkinPicture paintMdiBackground()
{
    // The pattern repeats every 8 pixels both ways, so a 32 x 32 tile tiles without seams.
    TbsSkinPicture p(32, 32, rgb(233, 237, 242));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if ((x + y) % 8 == 0)
                p.setPixel(x, y, rgb(227, 232, 238));
        }
    }
    return p;
}

// --- masks (1 bit per pixel): black inside ---

TbsSkinPicture roundedMask(int w, int h, double radius)
{
    TbsSkinPicture m(w, h, ink::white);
    bool corners[4] = {true, true, true, true};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (roundedCoverage(rc(0, 0, w, h), radius, corners, x, y) >= 0.5)
                m.setPixel(x, y, 0);
        }
    }
    return m;
}

// --- controls.bmp: every control section ---

void pushButton(TbsSkinPicture& p, int x, int y, ButtonState s)
{
    TRect r = rc(x, y, x + 60, y + 20);
    if (s == ButtonState::Normal)
        roundedRect(p, r, rounded(3, vertical(rgb(253, 254, 255), rgb(226, 231, 237), y, y + 20), rgb(150, 164, 179)));
    else if (s == ButtonState::Hot)
        roundedRect(p, r, rounded(3, vertical(ink::accentTop, ink::accent, y, y + 20), ink::accentBorder));
    else
        roundedRect(p, r, rounded(3, vertical(ink::accentDeep, rgb(28, 110, 206), y, y + 20), rgb(16, 70, 134)));
    if (s == ButtonState::Normal)
        hline(p, x + 3, x + 57, y + 1, ink::white);
}

void flatButton(TbsSkinPicture& p, int x, int y, ButtonState s)
{
    TRect r = rc(x, y, x + 30, y + 22);
    if (s == ButtonState::Normal)
        roundedRect(p, r, rounded(2, flat(rgb(246, 248, 250)), rgb(179, 191, 204)));
    else if (s == ButtonState::Hot)
        roundedRect(p, r, rounded(2, flat(ink::accentPale), ink::accentPaleBorder));
    else
        roundedRect(p, r, rounded(2, flat(ink::accent), ink::accentBorder));
}

void tab(TbsSkinPicture& p, int x, int y, Fill fill, TColor border, bool closedBottom)
{
    Rounded s = rounded(3, std::move(fill), border);
    s.corners[2] = s.corners[3] = false;
    roundedRect(p, rc(x, y, x + 41, y + 18), s);
    // The tab stands on the page frame: an unselected tab ends on the frame line.
    fillRect(p, rc(x, y + 17, x + 41, y + 18), flat(ink::face));
    if (closedBottom)
        hline(p, x, x + 41, y + 16, ink::line);
}

void scrollButton(TbsSkinPicture& p, int x, int y, int dir, bool vertical, ButtonState s)
{
    TRect r = rc(x, y, x + 14, y + 14);
    TColor g = ink::text;
    if (s == ButtonState::Hot) {
        roundedRect(p, r, rounded(2, flat(ink::accentPale), ink::accentPaleBorder));
        g = ink::accentDeep;
    } else if (s == ButtonState::Down) {
        roundedRect(p, r, rounded(2, flat(ink::accent), ink::accentBorder));
        g = ink::white;
    }
    if (vertical)
        chevron(p, x, y, 14, 14, dir, g);
    else
        chevronSide(p, x, y, 14, 14, dir, g);
}

void thumb(TbsSkinPicture& p, const TRect& r, ButtonState s)
{
    TColor fill = s == ButtonState::Normal ? rgb(179, 191, 204) : s == ButtonState::Hot ? rgb(141, 158, 177) : ink::accent;
    TColor border = s == ButtonState::Down ? ink::accentBorder : mix(fill, ink::outline, 0.2);
    roundedRect(p, r, rounded(3, flat(fill), border));
}

void editField(TbsSkinPicture& p, int x, int y, int w, bool active)
{
    TRect r = rc(x, y, x + w, y + 17);
    if (active)
        roundedRect(p, r, rounded(2, vertical(rgb(52, 112, 180), rgb(44, 98, 162), y, y + 17), rgb(24, 70, 128)));
    else
        roundedRect(p, r, rounded(2, flat(ink::white), ink::line));
}

void dropButton(TbsSkinPicture& p, int x, int y, ButtonState s)
{
    TRect r = rc(x, y, x + 15, y + 15);
    TColor g = ink::text;
    if (s == ButtonState::Normal) {
        fillRect(p, r, vertical(rgb(248, 250, 252), rgb(229, 234, 240), y, y + 15));
    } else if (s == ButtonState::Hot) {
        roundedRect(p, r, rounded(2, vertical(ink::accentTop, ink::accent, y, y + 15), ink::accentBorder));
        g = ink::white;
    } else {
        roundedRect(p, r, rounded(2, flat(ink::accentDeep), rgb(16, 70, 134)));
        g = ink::white;
    }
    chevron(p, x, y, 15, 15, 1, g);
}

void buttonEdit(TbsSkinPicture& p, int x, int y, bool active)
{
    editField(p, x, y, 58, false);
    if (active) {
        Rounded s = rounded(2, vertical(rgb(52, 112, 180), rgb(44, 98, 162), y, y + 17), rgb(24, 70, 128));
        s.corners[1] = s.corners[2] = false;
        roundedRect(p, rc(x, y, x + 42, y + 17), s);
    }
    dropButton(p, x + 42, y + 1, ButtonState::Normal);
    vline(p, x + 41, y + 1, y + 16, active ? rgb(24, 70, 128) : ink::lineSoft);
}

void checkImage(TbsSkinPicture& p, int x, int y, bool checked)
{
    TRect r = rc(x + 1, y + 1, x + 14, y + 14);
    if (checked) {
        roundedRect(p, r, rounded(2, flat(ink::accent), ink::accentBorder));
        line(p, x + 4, y + 7.5, x + 6.5, y + 10, ink::white);
        line(p, x + 6.5, y + 10, x + 11, y + 4.5, ink::white);
        line(p, x + 4, y + 6.8, x + 6.5, y + 9.3, ink::white, 0.5);
        line(p, x + 6.5, y + 9.3, x + 11, y + 3.8, ink::white, 0.5);
    } else {
        roundedRect(p, r, rounded(2, flat(ink::white), ink::line));
    }
}

// The pieces are packed close: every pixel of the picture is inflated and decoded
// at each start, so empty face between them costs start-up time and memory.
TbsSkinPicture paintControls()
{
    TbsSkinPicture p(253, 196, ink::face);
    // Group box, 66 x 70: a slate caption band over a light body.
    {
        const int x = 0, y = 0;
        Rounded body = rounded(2, flat(ink::surface), ink::line);
        body.corners[0] = body.corners[1] = false;
        roundedRect(p, rc(x, y + 12, x + 66, y + 70), body);
        vline(p, x + 1, y + 16, y + 68, ink::white);
        vline(p, x + 64, y + 16, y + 68, ink::shade);
        hline(p, x + 2, x + 64, y + 68, ink::shade);
        // Columns 2..63 are tiled across the band: corners stay within the first and last two.
        Rounded band = rounded(2, vertical(rgb(84, 120, 156), rgb(52, 84, 117), y, y + 16), ink::slate);
        band.corners[2] = band.corners[3] = false;
        roundedRect(p, rc(x, y, x + 66, y + 16), band);
        hline(p, x + 2, x + 64, y + 1, rgb(110, 144, 178));
    }

    // Push buttons (normal, hot, down), 60 x 20.
    pushButton(p, 66, 0, ButtonState::Normal);
    pushButton(p, 66, 22, ButtonState::Hot);
    pushButton(p, 66, 44, ButtonState::Down);

    // Grid cells, 60 x 20: header, selected, focused.
    fillRect(p, rc(126, 0, 186, 20), vertical(rgb(246, 248, 250), rgb(222, 228, 235), 0, 20));
    hline(p, 126, 186, 0, ink::white);
    fillRect(p, rc(126, 22, 186, 42), vertical(rgb(86, 146, 216), rgb(70, 131, 203), 22, 42));
    fillRect(p, rc(126, 44, 186, 64), vertical(ink::accentTop, ink::accent, 44, 64));
    hline(p, 126, 186, 44, rgb(120, 178, 242));

    // Flat buttons for tool bars, list headers and the calendar, 30 x 22.
    flatButton(p, 186, 0, ButtonState::Normal);
    flatButton(p, 186, 24, ButtonState::Hot);
    flatButton(p, 186, 48, ButtonState::Down);

    // Vertical scroll bar, 16 x 109: a quiet track with chevron buttons at both ends;
    // beside it the thumbs and the buttons' hot and pressed looks.
    {
        const int x = 216, y = 0;
        fillRect(p, rc(x, y, x + 16, y + 109), flat(rgb(238, 241, 244)));
        vline(p, x, y, y + 109, ink::lineSoft);
        vline(p, x + 15, y, y + 109, ink::lineSoft);
        scrollButton(p, x + 1, y + 2, -1, true, ButtonState::Normal);
        scrollButton(p, x + 1, y + 93, 1, true, ButtonState::Normal);
        thumb(p, rc(232, 0, 242, 14), ButtonState::Normal);
        thumb(p, rc(232, 32, 242, 46), ButtonState::Hot);
        thumb(p, rc(232, 16, 242, 30), ButtonState::Down);
        scrollButton(p, 202, 84, 1, true, ButtonState::Hot);
        scrollButton(p, 202, 70, 1, true, ButtonState::Down);
        scrollButton(p, 202, 112, -1, true, ButtonState::Hot);
        scrollButton(p, 202, 98, -1, true, ButtonState::Down);
    }

    // Page frame, 69 x 56: a one-pixel line with a light inner edge; the centre is the page.
    {
        const int x = 0, y = 70;
        fillRect(p, rc(x, y, x + 69, y + 56), flat(ink::surface));
        Rounded page = rounded(0, flat(ink::surface), ink::line);
        roundedRect(p, rc(x, y, x + 69, y + 56), page);
        vline(p, x + 67, y + 1, y + 55, ink::shade);
        hline(p, x + 1, x + 68, y + 54, ink::shade);
    }

    // Tabs, 41 x 17: selected (slate), normal, selected with focus (accent).
    tab(p, 69, 70, vertical(rgb(86, 121, 156), ink::slateMid, 70, 87), ink::slate, false);
    tab(p, 111, 70, vertical(rgb(250, 251, 253), rgb(226, 232, 238), 70, 87), ink::line, true);
    tab(p, 111, 88, vertical(ink::accentTop, ink::accent, 88, 105), ink::accentBorder, false);

    // Edits, 41 x 17: focused or hovered (deep blue, white text) and normal.
    editField(p, 69, 106, 41, true);
    editField(p, 111, 106, 41, false);

    // Plain panel and, below it, check images for panels in check mode.
    roundedRect(p, rc(152, 70, 202, 110), rounded(2, flat(ink::surface), ink::line));
    checkImage(p, 152, 110, true);
    checkImage(p, 168, 110, false);

    // Horizontal scroll bar's hot and pressed buttons, under the vertical bar's thumbs.
    scrollButton(p, 232, 46, -1, false, ButtonState::Hot);
    scrollButton(p, 232, 60, -1, false, ButtonState::Down);
    scrollButton(p, 232, 74, 1, false, ButtonState::Hot);
    scrollButton(p, 232, 88, 1, false, ButtonState::Down);

    // Tool bar and status bar.
    fillRect(p, rc(0, 126, 100, 151), vertical(rgb(252, 253, 254), rgb(232, 237, 242), 126, 151));
    hline(p, 0, 100, 150, ink::lineSoft);
    fillRect(p, rc(0, 156, 100, 176), vertical(rgb(238, 242, 246), rgb(226, 232, 238), 156, 176));
    hline(p, 0, 100, 156, ink::lineSoft);

    // Main menu bar, 108 x 22.
    fillRect(p, rc(100, 126, 208, 148), [](int, int y) { return menuBarAt(y - 126); });
    hline(p, 100, 208, 147, ink::lineSoft);

    // Edit with a drop button, 58 x 17, and the button's hot and pressed looks.
    buttonEdit(p, 100, 148, true);
    buttonEdit(p, 160, 148, false);
    dropButton(p, 223, 149, ButtonState::Hot);
    dropButton(p, 238, 149, ButtonState::Down);

    // Horizontal scroll bar, 109 x 16, the vertical one turned, with its thumbs below.
    {
        const int x = 130, y = 165;
        fillRect(p, rc(x, y, x + 109, y + 16), flat(rgb(238, 241, 244)));
        hline(p, x, x + 109, y, ink::lineSoft);
        hline(p, x, x + 109, y + 15, ink::lineSoft);
        scrollButton(p, x + 1, y + 1, -1, false, ButtonState::Normal);
        scrollButton(p, x + 94, y + 1, 1, false, ButtonState::Normal);
        thumb(p, rc(130, 181, 144, 191), ButtonState::Normal);
        thumb(p, rc(146, 181, 160, 191), ButtonState::Hot);
        thumb(p, rc(162, 181, 176, 191), ButtonState::Down);
    }
    // Up-down pair for scrolling tabs, 40 x 20, and its hot and pressed halves.
    {
        auto half = [&](int x, int y, int dir, ButtonState s) {
            Rounded r = s == ButtonState::Normal ? rounded(2, vertical(rgb(250, 251, 253), rgb(228, 233, 239), y, y + 20), ink::line)
                : s == ButtonState::Hot          ? rounded(2, flat(ink::accentPale), ink::accentPaleBorder)
                                                 : rounded(2, flat(ink::accent), ink::accentBorder);
            roundedRect(p, rc(x, y, x + 20, y + 20), r);
            chevronSide(p, x, y, 20, 20, dir, s == ButtonState::Down ? ink::white : s == ButtonState::Hot ? ink::accentDeep : ink::text);
        };
        half(0, 176, -1, ButtonState::Normal);
        half(20, 176, 1, ButtonState::Normal);
        half(45, 176, -1, ButtonState::Hot);
        half(65, 176, 1, ButtonState::Hot);
        half(90, 176, -1, ButtonState::Down);
        half(110, 176, 1, ButtonState::Down);
    }
    return p;
}

} // namespace

QuorvanePictures paintQuorvaneSkin()
{
    QuorvanePictures s;
    s.main = {"main.bmp", 8, paintFrame()};
    s.mask = {"mask.bmp", 4, paintFrameMask()};
    s.active = {
        {"active.bmp", 8, paintCaptionButtons()},
        {"pw.bmp", 8, paintPopupWindow()},
        {"menuitems.bmp", 8, paintMenuItems()},
        {"controls.bmp", 8, paintControls()},
        {"buttonmask.bmp", 1, roundedMask(60, 20, 3)},
        {"crmask.bmp", 1, roundedMask(68, 16, 8)},
        {"trbmask.bmp", 1, roundedMask(15, 78, 7.5)},
        {"htrbmask.bmp", 1, roundedMask(78, 15, 7.5)},
        {"hw.bmp", 8, paintHintWindow()},
        {"mdibg.bmp", 8, paintMdiBackground()},
    };
    return s;
}

} // namespace qv
