#include "skin/dialogs/SkinDialogComboBox.h"

#include "runtime/core/Property.h"
#include "runtime/shell/ShellFolders.h"
#include "runtime/ui/Dialogs.h"
#include "skin/bitmaps/SkinBitmaps.h"
#include "skin/dialogs/DialogGlyphs.h"

#include <algorithm>

namespace qv {

using namespace defaultlook;

namespace {

constexpr int indentStep = 10;
constexpr int iconSpace = 20;

} // namespace

// ---- drop-down list ----

TbsSkinDropDownList::TbsSkinDropDownList(TbsSkinDialogComboBox& owner) : m_owner(owner)
{
    setColor(clWindow);
    Bitmap probe(1, 1);
    probe.canvas().font = owner.listFont();
    m_rowHeight = std::max(18, probe.canvas().textHeight("Xg") + 4);
}

int TbsSkinDropDownList::rowsShown() const { return std::max(1, (height() - 2) / m_rowHeight); }

void TbsSkinDropDownList::setHotItem(int index)
{
    index = std::clamp(index, -1, m_owner.itemCount() - 1);
    if (index == m_hot)
        return;
    m_hot = index;
    if (m_hot >= 0) {
        if (m_hot < m_top)
            m_top = m_hot;
        else if (m_hot >= m_top + rowsShown())
            m_top = m_hot - rowsShown() + 1;
    }
    invalidate();
}

TRect TbsSkinDropDownList::itemRect(int index) const
{
    int row = index - m_top;
    if (row < 0 || row >= rowsShown())
        return TRect{};
    return TRect{1, 1 + row * m_rowHeight, width() - 1, 1 + (row + 1) * m_rowHeight};
}

int TbsSkinDropDownList::itemAt(int y) const
{
    if (y < 1)
        return -1;
    int index = m_top + (y - 1) / m_rowHeight;
    return index < m_owner.itemCount() && (y - 1) / m_rowHeight < rowsShown() ? index : -1;
}

void TbsSkinDropDownList::paint(Canvas& canvas)
{
    fillRect(canvas, clientRect(), clWindow);
    frameRect(canvas, clientRect(), clBtnShadow);
    canvas.font = m_owner.listFont();
    canvas.setBackgroundTransparent(true);
    for (int i = m_top; i < m_owner.itemCount(); ++i) {
        TRect r = itemRect(i);
        if (r.isEmpty())
            break;
        const auto& item = m_owner.item(i);
        bool hot = i == m_hot;
        if (hot)
            fillRect(canvas, r, clHighlight);
        int x = r.left + 2 + item.indent * indentStep;
        if (item.folderIcon) {
            canvas.drawTransparent(x, r.top + (r.height() - 16) / 2, shellIcon(true, TShellIconSize::Small),
                                   glyphTransparent);
            x += iconSpace;
        }
        canvas.font.color = hot ? clHighlightText : clWindowText;
        canvas.textOut(x, r.top + (r.height() - canvas.textHeight(item.text)) / 2, item.text);
    }
}

void TbsSkinDropDownList::mouseMove(unsigned, int, int y)
{
    int index = itemAt(y);
    if (index >= 0)
        setHotItem(index);
}

void TbsSkinDropDownList::mouseUp(MouseButton button, unsigned, int, int y)
{
    if (button != MouseButton::Left)
        return;
    int index = itemAt(y);
    if (index < 0)
        return;
    m_owner.closeUp();
    m_owner.choose(index);
}

void TbsSkinDropDownList::mouseWheel(int delta, unsigned)
{
    int most = std::max(0, m_owner.itemCount() - rowsShown());
    m_top = std::clamp(m_top + (delta > 0 ? -1 : 1), 0, most);
    invalidate();
}

void TbsSkinDropDownList::keyDown(int& key, unsigned shift)
{
    TPopupWindow::keyDown(key, shift);
    if (m_owner.droppedKey(key))
        key = 0;
}

// ---- combo box ----

TbsSkinDialogComboBox::TbsSkinDialogComboBox(TWinControl* parent) : TbsSkinControl(parent, "combobox")
{
    setFitsSection(true);
    setTabStop(true);
    setBounds(0, 0, 145, 21);
}

TbsSkinDialogComboBox::~TbsSkinDialogComboBox() = default;

void TbsSkinDialogComboBox::setItems(std::vector<Item> items, int selected)
{
    closeUp();
    m_items = std::move(items);
    m_itemIndex = selected >= 0 && selected < itemCount() ? selected : -1;
    invalidate();
}

void TbsSkinDialogComboBox::setItemIndex(int index)
{
    if (index < -1 || index >= itemCount())
        index = -1;
    if (!assignChanged(m_itemIndex, index))
        return;
    invalidate();
    accessibleNotify(TAccessibleEvent::ValueChanged);
}

void TbsSkinDialogComboBox::choose(int index)
{
    if (index < 0 || index >= itemCount() || index == m_itemIndex)
        return;
    setItemIndex(index);
    if (onChange)
        onChange();
}

void TbsSkinDialogComboBox::bindSection()
{
    TbsSkinControl::bindSection();
    m_section = skin().sectionCopy<TbsDataSkinComboBox>();
}

Font TbsSkinDialogComboBox::textFont() const { return sectionFont(m_section ? &m_section->Font : nullptr); }

Font TbsSkinDialogComboBox::listFont() const
{
    Font f = textFont();
    f.color = clWindowText;
    return f;
}

TRect TbsSkinDialogComboBox::buttonRect() const
{
    if (m_section && !m_section->ButtonRect.isEmpty()) {
        TRect b = m_section->ButtonRect;
        int sw = m_section->SkinRect.width();
        int rightPart = sw - m_section->RTPoint.x;
        // A button in the right part stays at the right end as the box widens.
        if (b.left >= sw - rightPart) {
            b.left += width() - sw;
            b.right += width() - sw;
        }
        return b;
    }
    return TRect{width() - height(), 0, width(), height()};
}

void TbsSkinDialogComboBox::drawText(Canvas& canvas, const TRect& area)
{
    if (m_itemIndex < 0)
        return;
    canvas.intersectClipRect(area);
    canvas.setBackgroundTransparent(true);
    const std::string& text = m_items[m_itemIndex].text;
    canvas.textOut(area.left + 2, area.top + (area.height() - canvas.textHeight(text.empty() ? " " : text)) / 2, text);
    canvas.clearClip();
}

void TbsSkinDialogComboBox::drawSkinLook(Canvas& canvas)
{
    if (!m_section) {
        drawDefaultLook(canvas);
        return;
    }
    const TbsDataSkinComboBox& s = *m_section;
    TbsSkinPicture image;
    DrawHorizontalPiece(image, skin().pieces().picture, s.LTPoint.x, s.SkinRect.width() - s.RTPoint.x, width(),
                        s.SkinRect);
    TRect b = buttonRect();
    const TRect* state = nullptr;
    if (!enabled() && !s.UnEnabledButtonRect.isEmpty())
        state = &s.UnEnabledButtonRect;
    else if (droppedDown() && !s.DownButtonRect.isEmpty())
        state = &s.DownButtonRect;
    else if (m_buttonHot && !s.ActiveButtonRect.isEmpty())
        state = &s.ActiveButtonRect;
    if (state && skin().pieces().picture)
        image.copyRect(b, *skin().pieces().picture, *state);
    drawSkinPicture(canvas, 0, 0, image);
    canvas.font = textFont();
    canvas.font.color = enabled() ? s.Font.FontColor : clGrayText;
    TRect area{s.ClRect.left, s.ClRect.top, b.left - 1, height() - (s.SkinRect.height() - s.ClRect.bottom)};
    if (focused() && !droppedDown()) {
        fillRect(canvas, area, clHighlight);
        canvas.font.color = clHighlightText;
    }
    drawText(canvas, area);
}

void TbsSkinDialogComboBox::drawDefaultLook(Canvas& canvas)
{
    TRect r = clientRect();
    fillRect(canvas, r, enabled() ? clWindow : clBtnFace);
    frameRect(canvas, r, clBtnShadow);
    TRect b = buttonRect();
    b = TRect{b.left, b.top + 1, b.right - 1, b.bottom - 1};
    bool down = droppedDown();
    fillRect(canvas, b, down ? downFill : (m_buttonHot ? hotFill : clBtnFace));
    frameRect(canvas, b, m_buttonHot || down ? navyFrame : clBtnShadow);
    int cx = b.left + b.width() / 2, cy = b.top + b.height() / 2;
    for (int row = 0; row < 3; ++row)
        fillRect(canvas, TRect{cx - 2 + row, cy - 1 + row, cx + 3 - row, cy + row}, enabled() ? clBlack : clBtnShadow);
    canvas.font = textFont();
    canvas.font.color = enabled() ? canvas.font.color : clGrayText;
    TRect area{2, 2, b.left - 1, height() - 2};
    if (focused() && !down) {
        fillRect(canvas, area, clHighlight);
        canvas.font.color = clHighlightText;
    }
    drawText(canvas, area);
}

void TbsSkinDialogComboBox::dropDown()
{
    if (droppedDown() || m_items.empty())
        return;
    if (!m_list) {
        m_list = std::make_unique<TbsSkinDropDownList>(*this);
        m_list->onClosed = [this] { invalidate(); };
    }
    int rows = std::min(itemCount(), m_dropDownCount);
    TPoint below = clientToScreen(TPoint{0, height()});
    m_list->popup(TRect{below.x, below.y, below.x + width(), below.y + rows * m_list->rowHeight() + 2});
    m_list->setHotItem(m_itemIndex);
    invalidate();
}

void TbsSkinDialogComboBox::closeUp()
{
    if (m_list)
        m_list->closePopup();
    invalidate();
}

void TbsSkinDialogComboBox::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinControl::mouseDown(button, shift, x, y);
    if (button != MouseButton::Left || !enabled())
        return;
    if (!focused())
        setFocus();
    if (droppedDown())
        closeUp();
    else
        dropDown();
}

void TbsSkinDialogComboBox::mouseMove(unsigned shift, int x, int y)
{
    TbsSkinControl::mouseMove(shift, x, y);
    bool hot = buttonRect().contains(TPoint{x, y});
    if (hot != m_buttonHot) {
        m_buttonHot = hot;
        invalidate();
    }
}

void TbsSkinDialogComboBox::mouseLeave()
{
    m_buttonHot = false;
    invalidate();
    TbsSkinControl::mouseLeave();
}

bool TbsSkinDialogComboBox::droppedKey(int key)
{
    if (!droppedDown())
        return false;
    switch (key) {
    case VK_UP: m_list->setHotItem(std::max(0, m_list->hotItem() - 1)); return true;
    case VK_DOWN: m_list->setHotItem(m_list->hotItem() + 1); return true;
    case VK_RETURN: {
        int chosen = m_list->hotItem();
        closeUp();
        choose(chosen);
        return true;
    }
    case VK_ESCAPE:
    case VK_F4: closeUp(); return true;
    default: return false;
    }
}

void TbsSkinDialogComboBox::keyDown(int& key, unsigned shift)
{
    TbsSkinControl::keyDown(key, shift);
    if (droppedKey(key)) {
        key = 0;
        return;
    }
    if ((key == VK_DOWN && (shift & ssAlt)) || key == VK_F4) {
        dropDown();
        key = 0;
    } else if (key == VK_UP) {
        choose(std::max(0, m_itemIndex - 1));
        key = 0;
    } else if (key == VK_DOWN) {
        choose(std::min(itemCount() - 1, m_itemIndex + 1));
        key = 0;
    }
}

void TbsSkinDialogComboBox::focusOut()
{
    closeUp();
    TbsSkinControl::focusOut();
}

// ---- folder selector ----

TbsSkinShellComboBox::TbsSkinShellComboBox(TWinControl* parent) : TbsSkinDialogComboBox(parent)
{
    setDropDownCount(10);
}

void TbsSkinShellComboBox::showFolder(const std::string& folder)
{
    std::vector<Item> items;
    m_paths.clear();
    int selected = -1;
    for (const TShellPlace& place : shellPlaces(folder)) {
        if (place.path == folder)
            selected = static_cast<int>(items.size());
        items.push_back(Item{place.name, place.indent, true});
        m_paths.push_back(place.path);
    }
    // The folder shown is the deepest line, even when it is also a place above.
    if (!m_paths.empty() && m_paths.back() == folder)
        selected = static_cast<int>(m_paths.size()) - 1;
    setItems(std::move(items), selected);
}

// ---- file-type selector ----

TbsSkinFilterComboBox::TbsSkinFilterComboBox(TWinControl* parent) : TbsSkinDialogComboBox(parent) {}

void TbsSkinFilterComboBox::setFilter(const std::string& filter)
{
    m_filter = filter;
    const std::vector<std::string> parts = splitFilter(filter);
    std::vector<Item> items;
    m_patterns.clear();
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        items.push_back(Item{parts[i], 0, false});
        m_patterns.push_back(parts[i + 1]);
    }
    setItems(std::move(items), 0);
}

std::string TbsSkinFilterComboBox::mask()
{
    if (itemCount() == 0)
        return "*.*";
    if (ItemIndex() < 0)
        setItemIndex(itemCount() - 1);
    return m_patterns.at(ItemIndex());
}

} // namespace qv
