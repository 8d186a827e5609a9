#include "skin/dialogs/SkinFileListView.h"

#include "runtime/core/Property.h"
#include "runtime/shell/ShellPatterns.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/Timer.h"
#include "skin/bitmaps/SkinBitmaps.h"
#include "skin/dialogs/DialogGlyphs.h"
#include "skin/scrollbar/SkinScrollBar.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

using namespace defaultlook;

namespace {

constexpr int doubleClickTime = 500;
constexpr int iconCellWidth = 84;
constexpr int smallIcon = 16;
constexpr int largeIcon = 32;
constexpr int headerFallbackHeight = 20;

} // namespace

TbsSkinFileListView::TbsSkinFileListView(TWinControl* parent, const UiServices& ui)
    : TbsSkinControl(parent, "listview"), m_ui(ui)
{
    setTabStop(true);
    setColor(clWindow);
    m_watcher.onChange = [this] {
        // Arrives from the message loop, outside any handler's guard.
        TApplication::guard([this] { refresh(); });
    };
}

void TbsSkinFileListView::bindSection()
{
    TbsSkinControl::bindSection();
    m_section = skin().sectionCopy<TbsDataSkinListView>();
}

Font TbsSkinFileListView::textFont() const { return sectionFont(m_section ? &m_section->Font : nullptr); }

void TbsSkinFileListView::load(const std::string& folder, const std::vector<std::string>& keepSelected)
{
    std::vector<TShellItem> listed = shellListFolder(folder);
    std::vector<TShellItem> shown;
    for (TShellItem& item : listed)
        if (item.folder || shellMatchesMask(item.name, m_mask))
            shown.push_back(std::move(item));
    m_items = std::move(shown);
    m_selected.assign(m_items.size(), false);
    for (const std::string& name : keepSelected)
        if (int i = indexOf(name); i >= 0)
            m_selected[static_cast<size_t>(i)] = true;
    m_focused = std::clamp(m_focused, m_items.empty() ? -1 : 0, itemCount() - 1);
    m_anchor = m_focused;
    buildColumns();
    layout();
    invalidate();
    accessibleNotify(TAccessibleEvent::ItemsChanged);
}

TAccessibleItem TbsSkinFileListView::accessibleItem(int index) const
{
    TAccessibleItem out;
    if (index < 0 || index >= itemCount())
        return out;
    const TShellItem& item = m_items[static_cast<size_t>(index)];
    out.role = TAccessibleRole::ListItem;
    out.name = item.name;
    out.description = item.typeName;
    out.states = asSelectable | (isSelected(index) ? asSelected : 0u);
    TRect const r = itemRect(index);
    // Scrolled out of view: not on screen.
    bool const onScreen = r.bottom > 0 && r.top < height() && r.right > 0 && r.left < width();
    out.bounds = onScreen ? r : TRect{};
    out.actions = {TAccessibleAction::Press};
    return out;
}

void TbsSkinFileListView::setFolder(const std::string& folder)
{
    std::string path = shellNormalPath(folder);
    std::string previousFolder = m_folder;
    bool hadSelection = selCount() > 0;
    // Read first: a folder that cannot be listed leaves everything as it was.
    load(path, {});
    m_folder = path;
    m_focused = m_items.empty() ? -1 : 0;
    m_anchor = m_focused;
    m_scrollX = m_scrollY = 0;
    layout();
    m_watcher.watch(m_folder);
    if (hadSelection)
        selectionChanged();
    if (path != previousFolder && onFolderChange)
        onFolderChange();
}

void TbsSkinFileListView::setMask(const std::string& mask)
{
    if (mask == m_mask)
        return;
    m_mask = mask;
    if (!m_folder.empty())
        load(m_folder, selectedNames());
}

void TbsSkinFileListView::refresh()
{
    if (m_folder.empty())
        return;
    std::vector<std::string> keep = selectedNames();
    try {
        load(m_folder, keep);
    } catch (const std::exception&) {
        // The shown folder has gone or lost its rights: show the nearest one that can be read.
        for (std::string up = shellParentFolder(m_folder); !up.empty(); up = shellParentFolder(up)) {
            if (!shellFolderExists(up))
                continue;
            try {
                setFolder(up);
                break;
            } catch (const std::exception&) {
            }
        }
        throw;
    }
    if (selectedNames() != keep)
        selectionChanged();
}

void TbsSkinFileListView::goUp()
{
    std::string parent = shellParentFolder(m_folder);
    if (!parent.empty())
        setFolder(parent);
}

std::vector<std::string> TbsSkinFileListView::selectedNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < itemCount(); ++i)
        if (m_selected[static_cast<size_t>(i)])
            names.push_back(m_items[static_cast<size_t>(i)].name);
    return names;
}

void TbsSkinFileListView::setViewStyle(TbsViewStyle style)
{
    if (!assignChanged(m_viewStyle, style))
        return;
    m_scrollX = m_scrollY = 0;
    layout();
    scrollIntoView(m_focused);
    invalidate();
}

void TbsSkinFileListView::setMultiSelection(bool multi)
{
    if (!assignChanged(m_multiSelection, multi) || multi)
        return;
    // One selected item at most from now on: keep the focused one if it was selected.
    int keep = m_focused >= 0 && isSelected(m_focused) ? m_focused : -1;
    bool changed = selCount() > (keep >= 0 ? 1 : 0);
    m_selected.assign(m_items.size(), false);
    if (keep >= 0)
        m_selected[static_cast<size_t>(keep)] = true;
    if (changed)
        selectionChanged();
}

void TbsSkinFileListView::setHeaderSkinDataName(const std::string& name)
{
    if (assignChanged(m_headerName, name))
        invalidate();
}

void TbsSkinFileListView::setScrollBars(TbsSkinScrollBar* horizontal, TbsSkinScrollBar* vertical)
{
    m_hBar = horizontal;
    m_vBar = vertical;
    for (TbsSkinScrollBar* bar : {m_hBar, m_vBar})
        if (bar)
            bar->onChange = [this] { scrollBarMoved(); };
    updateScrollBars();
}

int TbsSkinFileListView::indexOf(const std::string& name) const
{
    for (int i = 0; i < itemCount(); ++i)
        if (m_items[static_cast<size_t>(i)].name == name)
            return i;
    return -1;
}

bool TbsSkinFileListView::isSelected(int index) const
{
    return index >= 0 && index < itemCount() && m_selected[static_cast<size_t>(index)];
}

int TbsSkinFileListView::selCount() const
{
    return static_cast<int>(std::count(m_selected.begin(), m_selected.end(), true));
}

void TbsSkinFileListView::selectItem(int index)
{
    if (index >= itemCount())
        index = -1;
    std::vector<bool> wanted(m_items.size(), false);
    if (index >= 0)
        wanted[static_cast<size_t>(index)] = true;
    if (index >= 0)
        setFocusedItem(index);
    if (wanted == m_selected)
        return;
    m_selected = wanted;
    m_anchor = index;
    selectionChanged();
}

void TbsSkinFileListView::setFocusedItem(int index)
{
    if (index < -1 || index >= itemCount())
        return;
    bool const moved = m_focused != index;
    m_focused = index;
    scrollIntoView(index);
    invalidate();
    if (moved && index >= 0 && focused())
        accessibleNotify(TAccessibleEvent::Focus, index);
}

const TShellItem* TbsSkinFileListView::selectedFile() const
{
    if (m_focused >= 0 && isSelected(m_focused) && !m_items[static_cast<size_t>(m_focused)].folder)
        return &m_items[static_cast<size_t>(m_focused)];
    for (int i = 0; i < itemCount(); ++i)
        if (m_selected[static_cast<size_t>(i)] && !m_items[static_cast<size_t>(i)].folder)
            return &m_items[static_cast<size_t>(i)];
    return nullptr;
}

std::vector<std::string> TbsSkinFileListView::selectedFilePaths() const
{
    std::vector<std::string> paths;
    for (int i = 0; i < itemCount(); ++i)
        if (m_selected[static_cast<size_t>(i)] && !m_items[static_cast<size_t>(i)].folder)
            paths.push_back(m_items[static_cast<size_t>(i)].path);
    return paths;
}

void TbsSkinFileListView::selectionChanged()
{
    invalidate();
    accessibleNotify(TAccessibleEvent::SelectionChanged);
    if (onSelectionChange)
        onSelectionChange();
}

// ---- layout ----

void TbsSkinFileListView::buildColumns()
{
    Bitmap probe(1, 1);
    probe.canvas().font = textFont();
    int x = probe.canvas().textWidth("X");
    m_columns.clear();
    for (const TShellColumn& c : shellDetailColumns(m_folder)) {
        bool known
            = std::any_of(m_columns.begin(), m_columns.end(), [&](const Column& k) { return k.caption == c.caption; });
        if (!known)
            m_columns.push_back(Column{c.caption, c.chars * x, c.rightAligned});
    }
    if (!m_columns.empty())
        return;
    const int chars[] = {25, 10, 10, 14};
    for (size_t i = 0; i < columnCaptions.size() && i < 4; ++i)
        m_columns.push_back(Column{columnCaptions[i], chars[i] * x, i == 1});
}

int TbsSkinFileListView::headerHeight() const
{
    if (m_viewStyle != TbsViewStyle::vsReport)
        return 0;
    return std::max(headerFallbackHeight, m_rowHeight + 2);
}

TRect TbsSkinFileListView::viewArea() const { return TRect{0, headerHeight(), width(), height()}; }

void TbsSkinFileListView::layout()
{
    Bitmap probe(1, 1);
    Canvas& c = probe.canvas();
    c.font = textFont();
    m_rowHeight = std::max(18, c.textHeight("Xg") + 4);
    if (m_columns.empty())
        buildColumns();
    int widest = 60;
    for (const TShellItem& item : m_items)
        widest = std::max(widest, c.textWidth(item.name));
    TRect view = viewArea();
    int viewW = std::max(1, view.width()), viewH = std::max(1, view.height());
    int n = itemCount();
    switch (m_viewStyle) {
    case TbsViewStyle::vsReport: {
        m_cellHeight = m_rowHeight;
        m_cellWidth = 0;
        for (const Column& col : m_columns)
            m_cellWidth += col.width;
        m_perLine = 1;
        m_contentWidth = m_cellWidth;
        m_contentHeight = n * m_cellHeight;
        break;
    }
    case TbsViewStyle::vsList: {
        m_cellHeight = m_rowHeight;
        m_cellWidth = std::min(widest + smallIcon + 12, 320);
        m_perLine = std::max(1, viewH / m_cellHeight);
        int lines = (n + m_perLine - 1) / m_perLine;
        m_contentWidth = lines * m_cellWidth;
        m_contentHeight = viewH;
        break;
    }
    case TbsViewStyle::vsSmallIcon:
    case TbsViewStyle::vsIcon: {
        bool large = m_viewStyle == TbsViewStyle::vsIcon;
        m_cellHeight = large ? largeIcon + m_rowHeight + 8 : m_rowHeight;
        m_cellWidth = large ? iconCellWidth : std::min(widest + smallIcon + 12, 320);
        m_perLine = std::max(1, viewW / m_cellWidth);
        int lines = (n + m_perLine - 1) / m_perLine;
        m_contentWidth = std::min(n, m_perLine) * m_cellWidth;
        m_contentHeight = lines * m_cellHeight;
        break;
    }
    }
    setScroll(m_scrollX, m_scrollY);
    updateScrollBars();
}

void TbsSkinFileListView::setScroll(int x, int y)
{
    TRect view = viewArea();
    m_scrollX = std::clamp(x, 0, std::max(0, m_contentWidth - view.width()));
    m_scrollY = std::clamp(y, 0, std::max(0, m_contentHeight - view.height()));
    invalidate();
}

void TbsSkinFileListView::updateScrollBars()
{
    TRect view = viewArea();
    m_updatingBars = true;
    auto apply = [](TbsSkinScrollBar* bar, int content, int page, int position, int step) {
        if (!bar)
            return;
        bool needed = content > page && page > 0;
        bar->setEnabled(needed);
        if (!needed) {
            bar->setRange(0, 0, 0, 0);
            return;
        }
        bar->setSmallChange(step);
        bar->setLargeChange(std::max(step, page - step));
        bar->setRange(0, content - 1, page, position);
    };
    apply(m_hBar, m_contentWidth, view.width(), m_scrollX, m_viewStyle == TbsViewStyle::vsList ? m_cellWidth : 16);
    apply(m_vBar, m_contentHeight, view.height(), m_scrollY, m_cellHeight);
    m_updatingBars = false;
}

void TbsSkinFileListView::scrollBarMoved()
{
    if (m_updatingBars)
        return;
    setScroll(m_hBar && m_hBar->enabled() ? m_hBar->Position() : m_scrollX,
              m_vBar && m_vBar->enabled() ? m_vBar->Position() : m_scrollY);
}

void TbsSkinFileListView::resized()
{
    layout();
    TbsSkinControl::resized();
}

TRect TbsSkinFileListView::cellRect(int index) const
{
    int along = index / m_perLine, across = index % m_perLine;
    switch (m_viewStyle) {
    case TbsViewStyle::vsReport:
        return TRect{0, index * m_cellHeight, std::max(m_cellWidth, width()), (index + 1) * m_cellHeight};
    case TbsViewStyle::vsList:
        return TRect{along * m_cellWidth, across * m_cellHeight, (along + 1) * m_cellWidth,
                     (across + 1) * m_cellHeight};
    default:
        return TRect{across * m_cellWidth, along * m_cellHeight, (across + 1) * m_cellWidth,
                     (along + 1) * m_cellHeight};
    }
}

TRect TbsSkinFileListView::itemRect(int index) const
{
    if (index < 0 || index >= itemCount())
        return TRect{};
    TRect r = cellRect(index);
    int dx = -m_scrollX, dy = headerHeight() - m_scrollY;
    return r.offset(dx, dy);
}

TRect TbsSkinFileListView::headerRect(int column) const
{
    if (m_viewStyle != TbsViewStyle::vsReport || column < 0 || column >= static_cast<int>(m_columns.size()))
        return TRect{};
    int x = -m_scrollX;
    for (int i = 0; i < column; ++i)
        x += m_columns[static_cast<size_t>(i)].width;
    return TRect{x, 0, x + m_columns[static_cast<size_t>(column)].width, headerHeight()};
}

int TbsSkinFileListView::itemAt(int x, int y) const
{
    if (y < headerHeight())
        return -1;
    for (int i = 0; i < itemCount(); ++i) {
        TRect r = itemRect(i);
        if (m_viewStyle == TbsViewStyle::vsReport)
            r.right = std::min(r.right, m_contentWidth - m_scrollX);
        if (r.contains(TPoint{x, y}))
            return i;
    }
    return -1;
}

void TbsSkinFileListView::scrollIntoView(int index)
{
    if (index < 0 || index >= itemCount())
        return;
    TRect r = cellRect(index);
    TRect view = viewArea();
    int x = m_scrollX, y = m_scrollY;
    if (r.left < x)
        x = r.left;
    else if (r.right > x + view.width() && m_viewStyle != TbsViewStyle::vsReport)
        x = r.right - view.width();
    if (r.top < y)
        y = r.top;
    else if (r.bottom > y + view.height())
        y = r.bottom - view.height();
    if (x != m_scrollX || y != m_scrollY) {
        setScroll(x, y);
        updateScrollBars();
    }
}

// ---- painting ----

void TbsSkinFileListView::drawDefaultLook(Canvas& canvas)
{
    TColor bg = m_section ? m_section->BGColor : clWindow;
    fillRect(canvas, clientRect(), bg);
    canvas.font = textFont();
    TRect view = viewArea();
    canvas.intersectClipRect(view);
    for (int i = 0; i < itemCount(); ++i) {
        TRect r = itemRect(i);
        if (r.bottom <= view.top || r.top >= view.bottom || r.right <= view.left || r.left >= view.right)
            continue;
        drawItem(canvas, i);
    }
    canvas.clearClip();
    drawHeader(canvas);
}

void TbsSkinFileListView::drawItem(Canvas& canvas, int index)
{
    const TShellItem& item = m_items[static_cast<size_t>(index)];
    TRect cell = itemRect(index);
    bool selected = isSelected(index);
    bool large = m_viewStyle == TbsViewStyle::vsIcon;
    const Bitmap& icon = shellIcon(item.folder, large ? TShellIconSize::Large : TShellIconSize::Small);
    Font base = textFont();
    canvas.setBackgroundTransparent(true);
    TRect label;
    if (large) {
        canvas.drawTransparent(cell.left + (cell.width() - largeIcon) / 2, cell.top + 4, icon, glyphTransparent);
        int tw = std::min(canvas.textWidth(item.name), cell.width() - 4);
        label = TRect{cell.left + (cell.width() - tw) / 2 - 1, cell.top + largeIcon + 6, 0, cell.bottom - 2};
        label.right = label.left + tw + 2;
    } else {
        canvas.drawTransparent(cell.left + 2, cell.top + (cell.height() - smallIcon) / 2, icon, glyphTransparent);
        int first = m_viewStyle == TbsViewStyle::vsReport ? m_columns.empty() ? cell.width() : m_columns[0].width
                                                          : cell.width();
        int tw = std::min(canvas.textWidth(item.name) + 4, first - smallIcon - 6);
        label = TRect{cell.left + smallIcon + 4, cell.top + 1, cell.left + smallIcon + 4 + tw, cell.bottom - 1};
    }
    if (selected)
        fillRect(canvas, label, focused() ? clHighlight : clBtnFace);
    canvas.font = base;
    canvas.font.color = selected && focused() ? clHighlightText : base.color;
    canvas.textRect(label, label.left + 2, label.top + (label.height() - canvas.textHeight(item.name)) / 2, item.name);
    if (index == m_focused && focused()) {
        canvas.brush.color = clBlack;
        canvas.pen.color = clBlack;
        canvas.pen.style = PenStyle::Dot;
        canvas.brush.style = BrushStyle::Clear;
        canvas.rectangle(label);
        canvas.pen.style = PenStyle::Solid;
        canvas.brush.style = BrushStyle::Solid;
    }
    if (m_viewStyle != TbsViewStyle::vsReport)
        return;
    // The further detail columns.
    const std::string details[] = {item.sizeText, item.typeName, item.modifiedText};
    int x = cell.left + (m_columns.empty() ? 0 : m_columns[0].width);
    for (size_t c = 1; c < m_columns.size() && c <= 3; ++c) {
        const Column& col = m_columns[c];
        TRect r{x + 4, cell.top, x + col.width - 4, cell.bottom};
        const std::string& text = details[c - 1];
        int tx = col.rightAligned ? r.right - canvas.textWidth(text) : r.left;
        canvas.font.color = base.color;
        canvas.textRect(r, tx, r.top + (r.height() - canvas.textHeight(text.empty() ? " " : text)) / 2, text);
        x += col.width;
    }
}

void TbsSkinFileListView::drawHeader(Canvas& canvas)
{
    if (m_viewStyle != TbsViewStyle::vsReport)
        return;
    TbsSkinSectionPieces pieces;
    const TbsDataSkinButtonControl* section = nullptr;
    if (SkinData() && !SkinData()->empty()) {
        int index = SkinData()->FindSkinControl(m_headerName);
        if (index >= 0) {
            pieces.bind(*SkinData(), index);
            section = dynamic_cast<const TbsDataSkinButtonControl*>(&SkinData()->skinControl(index));
        }
    }
    TRect band{0, 0, width(), headerHeight()};
    fillRect(canvas, band, clBtnFace);
    for (size_t c = 0; c <= m_columns.size(); ++c) {
        // One cell past the last column fills the rest of the band.
        TRect r = c < m_columns.size() ? headerRect(static_cast<int>(c))
                                       : TRect{headerRect(static_cast<int>(c) - 1).right, 0, width(), headerHeight()};
        if (r.width() <= 0)
            continue;
        if (section && pieces.picture) {
            TbsPieceGeometry g = pieces.geometry(r.width(), r.height());
            TbsSkinPicture picture;
            drawPiece(picture, pieces.picture, pieces.fields, pieces.mode, g, pieces.fields.skinRect);
            drawSkinPicture(canvas, r.left, r.top, picture);
            canvas.font = UseSkinFont() ? skinFont(section->Font, DefaultFont()) : DefaultFont();
            canvas.font.color = section->Font.FontColor;
        } else {
            bevel(canvas, r, true);
            canvas.font = DefaultFont();
        }
        if (c == m_columns.size())
            continue;
        const Column& col = m_columns[c];
        TRect text{r.left + 5, r.top, r.right - 5, r.bottom};
        canvas.setBackgroundTransparent(true);
        int tx = col.rightAligned ? text.right - canvas.textWidth(col.caption) : text.left;
        canvas.textRect(text, tx, text.top + (text.height() - canvas.textHeight(col.caption)) / 2, col.caption);
    }
}

// ---- input ----

void TbsSkinFileListView::mouseDown(MouseButton button, unsigned shift, int x, int y)
{
    TbsSkinControl::mouseDown(button, shift, x, y);
    if (button != MouseButton::Left)
        return;
    if (!focused())
        setFocus();
    int index = itemAt(x, y);
    std::int64_t now = tickCount();
    bool doubleClick = index >= 0 && index == m_lastPressItem && m_lastPress && now - *m_lastPress < doubleClickTime;
    m_lastPress = doubleClick ? std::nullopt : std::optional<std::int64_t>(now);
    m_lastPressItem = doubleClick ? -1 : index;
    if (index < 0) {
        if (!(shift & (ssCtrl | ssShift)))
            selectItem(-1);
        return;
    }
    moveFocus(index, shift);
    if (!doubleClick)
        return;
    const TShellItem& item = m_items[static_cast<size_t>(index)];
    if (item.folder)
        setFolder(item.path);
    else if (onFileDoubleClick)
        onFileDoubleClick();
}

void TbsSkinFileListView::mouseWheel(int delta, unsigned shift)
{
    TbsSkinControl::mouseWheel(delta, shift);
    int step = 3 * m_cellHeight * (delta > 0 ? -1 : 1);
    if (scrollsVertically())
        setScroll(m_scrollX, m_scrollY + step);
    else
        setScroll(m_scrollX + (delta > 0 ? -m_cellWidth : m_cellWidth), m_scrollY);
    updateScrollBars();
}

void TbsSkinFileListView::moveFocus(int index, unsigned shift)
{
    index = std::clamp(index, 0, itemCount() - 1);
    if (index < 0)
        return;
    if (m_multiSelection && (shift & ssShift) && m_anchor >= 0) {
        std::vector<bool> wanted(m_items.size(), false);
        for (int i = std::min(m_anchor, index); i <= std::max(m_anchor, index); ++i)
            wanted[static_cast<size_t>(i)] = true;
        setFocusedItem(index);
        if (wanted != m_selected) {
            m_selected = wanted;
            selectionChanged();
        }
        return;
    }
    if (m_multiSelection && (shift & ssCtrl)) {
        setFocusedItem(index);
        m_selected[static_cast<size_t>(index)] = !m_selected[static_cast<size_t>(index)];
        m_anchor = index;
        selectionChanged();
        return;
    }
    selectItem(index);
}

void TbsSkinFileListView::activate(int index)
{
    if (index < 0 || index >= itemCount())
        return;
    const TShellItem& item = m_items[static_cast<size_t>(index)];
    if (item.folder) {
        setFolder(item.path);
        return;
    }
    if (selectedFile() && onFileEnter)
        onFileEnter();
}

void TbsSkinFileListView::showProperties(int index)
{
    if (index < 0 || index >= itemCount())
        return;
    const TShellItem& item = m_items[static_cast<size_t>(index)];
    std::string text = item.name + "\r\rType: " + item.typeName + "\rLocation: " + m_folder;
    if (!item.folder)
        text += "\rSize: " + item.sizeText;
    text += "\rModified: " + item.modifiedText;
    m_ui.messageBox({text, item.name + " Properties", MB_OK | MB_ICONINFORMATION});
}

int TbsSkinFileListView::keyStep(int key) const
{
    bool vertical = key == VK_UP || key == VK_DOWN;
    int sign = key == VK_UP || key == VK_LEFT ? -1 : 1;
    switch (m_viewStyle) {
    case TbsViewStyle::vsReport: return vertical ? sign : 0;
    case TbsViewStyle::vsList: return sign * (vertical ? 1 : m_perLine);
    default: return sign * (vertical ? m_perLine : 1);
    }
}

void TbsSkinFileListView::keyDown(int& key, unsigned shift)
{
    TbsSkinControl::keyDown(key, shift);
    switch (key) {
    case VK_BACK: goUp(); break;
    case VK_F5: refresh(); break;
    case VK_RETURN:
        if (shift & ssAlt)
            showProperties(m_focused);
        else
            activate(m_focused);
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        if (int step = keyStep(key); step != 0 && itemCount() > 0)
            moveFocus(m_focused < 0 ? 0 : m_focused + step, shift);
        break;
    case VK_HOME: moveFocus(0, shift); break;
    case VK_END: moveFocus(itemCount() - 1, shift); break;
    default: return;
    }
    key = 0;
}

void TbsSkinFileListView::focusIn()
{
    invalidate();
    TbsSkinControl::focusIn();
}

void TbsSkinFileListView::focusOut()
{
    invalidate();
    TbsSkinControl::focusOut();
}

} // namespace qv
