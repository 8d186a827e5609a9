#include "skin/controls/SkinEdit.h"

#include "runtime/graphics/Bitmap.h"

namespace qv {

TbsSkinEdit::TbsSkinEdit(TWinControl* parent) : TCustomEdit(parent)
{
    setFont(m_skin.defaultFont);
    setBounds(0, 0, 121, 20);
}

void TbsSkinEdit::setSkinData(TbsSkinData* data)
{
    m_skin.setSkinData(data);
    m_skin.bind();
    setBounds(left(), top(), width(), height());
    updateEditor();
    invalidate();
}

void TbsSkinEdit::setSkinDataName(const std::string& name)
{
    m_skin.setSkinDataName(name);
    m_skin.bind();
    invalidate();
}

void TbsSkinEdit::setDefaultFont(const Font& font)
{
    m_skin.defaultFont = font;
    setFont(font);
    setBounds(left(), top(), width(), height());
}

void TbsSkinEdit::setDefaultHeight(int height)
{
    m_skin.defaultHeight = height;
    setBounds(left(), top(), width(), this->height());
}

int TbsSkinEdit::naturalHeight() const
{
    if (m_skin.defaultHeight > 0)
        return m_skin.defaultHeight;
    Bitmap probe(1, 1);
    probe.canvas().font = m_skin.defaultFont;
    return probe.canvas().textHeight("Ag") + 4;
}

void TbsSkinEdit::setBounds(int left, int top, int width, int)
{
    TCustomEdit::setBounds(left, top, width, naturalHeight());
}

void TbsSkinEdit::paintFrame(Canvas& canvas)
{
    m_skin.bind();
    TCustomEdit::paintFrame(canvas);
}

bool TbsSkinEdit::contextMenu(TPoint p)
{
    // Built on demand with the states of the moment.
    if (m_menuEngine)
        m_menuEngine->closeAll();
    m_menuItems = std::make_unique<TMenuItem>("EditMenu", "");
    bool writable = !readOnly();
    auto add = [this](const char* name, const char* caption, bool enabled, std::function<void()> run) {
        TMenuItem& item = m_menuItems->add(name, caption);
        item.setEnabled(enabled);
        item.onClick = std::move(run);
    };
    add("EDIT_UNDO", "Undo", canUndo(), [this] { undo(); });
    m_menuItems->add("N1", "-");
    add("EDIT_CUT", "Cut", hasSelection() && writable, [this] { cutToClipboard(); });
    add("EDIT_COPY", "Copy", hasSelection(), [this] { copyToClipboard(); });
    add("EDIT_PASTE", "Paste", clipboardHasText() && writable, [this] { pasteFromClipboard(); });
    add("EDIT_DELETE", "Delete", hasSelection() && writable, [this] { clearSelection(); });
    m_menuItems->add("N2", "-");
    bool allSelected = !text().empty() && selLength() == static_cast<int>(text().size());
    add("EDIT_SELECTALL", "Select All", !allSelected, [this] { selectAll(); });
    if (!m_menuEngine)
        m_menuEngine = std::make_unique<TbsSkinMenu>();
    m_menuEngine->popup(SkinData(), false, *m_menuItems, TRect{p.x, p.y, p.x, p.y});
    return true;
}

TColor TbsSkinEdit::textColor() const
{
    if (!enabled())
        return clGrayText;
    return m_skin.defaultFont.color;
}

} // namespace qv
