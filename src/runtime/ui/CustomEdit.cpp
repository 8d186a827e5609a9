#include "runtime/ui/CustomEdit.h"

#include "runtime/graphics/QtGraphics.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Widgets.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace qv {

struct EditEvents {
    static bool contextMenu(TCustomEdit& e, TPoint p) { return e.contextMenu(p); }
    static void keyPress(TCustomEdit& e, char& key) { TControl::Events::keyPress(e, key); }
    static void keyDown(TCustomEdit& e, int& key, unsigned shift) { TControl::Events::keyDown(e, key, shift); }
    static void changed(TCustomEdit& e) { e.changed(); }
};

// The native editor: every typed character goes through the owner's OnKeyPress
// first; a null character is dropped, a changed one is typed instead.
class TCustomEdit::Editor : public QLineEdit {
public:
    Editor(TCustomEdit& owner, QWidget* parent) : QLineEdit(parent), m_owner(owner)
    {
        setFrame(false);
        setAutoFillBackground(false);
        setAttribute(Qt::WA_TranslucentBackground);
        // The editor keeps a 2-pixel margin of its own on each side.
        setTextMargins(0, 0, 0, 0);
        connect(this, &QLineEdit::textChanged, [this] { TApplication::guard([this] { EditEvents::changed(m_owner); }); });
    }

protected:
    // Focus that arrives when the window is activated bypasses the form's enter
    // path; the focused colours must follow it all the same.
    void focusInEvent(QFocusEvent* event) override
    {
        QLineEdit::focusInEvent(event);
        focusChanged();
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QLineEdit::focusOutEvent(event);
        focusChanged();
    }

    void contextMenuEvent(QContextMenuEvent* event) override
    {
        // From the keyboard the menu opens at the edit's centre.
        QPoint global = event->reason() == QContextMenuEvent::Keyboard ? m_owner.widget()->mapToGlobal(m_owner.widget()->rect().center())
                                                                        : event->globalPos();
        bool shown = false;
        TApplication::guard([&] { shown = EditEvents::contextMenu(m_owner, TPoint{global.x(), global.y()}); });
        if (!shown)
            QLineEdit::contextMenuEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        // Clipboard and select-all keys are commands of the editor, as in its
        // context menu: the key handlers' character filters never see them.
        if (isEditCommand(*event)) {
            typeIntoEditor(event);
            return;
        }
        int key = virtualKeyOf(*event);
        unsigned shift = shiftOf(event->modifiers());
        TApplication::guard([&] { EditEvents::keyDown(m_owner, key, shift); });
        if (key == 0)
            return;
        char original = charOf(*event);
        if (original == 0) {
            typeIntoEditor(event);
            return;
        }
        char ch = original;
        TApplication::guard([&] { EditEvents::keyPress(m_owner, ch); });
        // Enter and Escape only ever reach OnKeyPress, so the editor never beeps.
        if (ch == 0 || original == chEnter || original == chEscape)
            return;
        if (isReadOnly() && ch != 3)
            return;
        if (ch == original) {
            typeIntoEditor(event);
            return;
        }
        QKeyEvent replaced(QEvent::KeyPress, ch == chBackspace ? Qt::Key_Backspace : Qt::Key_unknown, Qt::NoModifier,
                           ch == chBackspace ? QString() : QString(QChar(static_cast<unsigned char>(ch))));
        QLineEdit::keyPressEvent(&replaced);
    }

private:
    static bool isEditCommand(const QKeyEvent& event)
    {
        for (QKeySequence::StandardKey command :
             {QKeySequence::Paste, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::SelectAll}) {
            if (event.matches(command))
                return true;
        }
        return false;
    }

    void focusChanged()
    {
        if (m_detached)
            return;
        TApplication::guard([this] {
            m_owner.updateEditor();
            m_owner.invalidate();
        });
    }

    // A key the line editor has no use for (F1, say) would travel on to the owner's
    // widget, which would report it to OnKeyDown a second time.
    void typeIntoEditor(QKeyEvent* event)
    {
        QLineEdit::keyPressEvent(event);
        event->accept();
    }

    TCustomEdit& m_owner;
    bool m_detached = false;

public:
    void detach() { m_detached = true; }
};

TCustomEdit::TCustomEdit(TWinControl* parent) : TCustomControl(parent)
{
    setTabStop(true);
    setColor(clWindow);
    Font f;
    f.name = "Arial";
    f.cellHeight = 14;
    f.color = clBlack;
    setFont(f);
    setCursor(TCursor::IBeam);
    requestMeasure(Measured::Content);
}

TCustomEdit::~TCustomEdit()
{
    // The editor outlives this object by a little: the focus it loses while it
    // is deleted must not reach an owner already gone.
    if (m_editor)
        m_editor->detach();
}

void TCustomEdit::measure() { editor(); }

TCustomEdit::Editor& TCustomEdit::editor()
{
    if (m_editor)
        return *m_editor;
    m_editor = new Editor(*this, widget());
    // First, so that a screen reader asking about the editor finds it standing in
    // for the control; the owner may hold the focus already, which passes to it.
    widget()->setFocusProxy(m_editor);
    m_editor->setFocusPolicy(Qt::StrongFocus);
    {
        // The text was set, and announced, before there was an editor to hold it.
        QSignalBlocker const quiet(m_editor);
        m_editor->setMaxLength(m_unmade.maxLength);
        m_editor->setReadOnly(m_unmade.readOnly);
        m_editor->setText(QString::fromStdString(m_unmade.text));
        m_editor->setCursorPosition(0);
        if (m_unmade.selectAll)
            m_editor->selectAll();
    }
    m_unmade = Unmade{};
    updateEditor();
    // A window on screen shows a new child only when told to.
    m_editor->show();
    return *m_editor;
}

std::string TCustomEdit::text() const { return m_editor ? m_editor->text().toStdString() : m_unmade.text; }

void TCustomEdit::setText(const std::string& text)
{
    if (m_editor) {
        m_editor->setText(QString::fromStdString(text));
        m_editor->setCursorPosition(0);
        return;
    }
    m_unmade.selectAll = false;
    if (text == m_unmade.text)
        return;
    m_unmade.text = text;
    changed();
}

int TCustomEdit::maxLength() const { return m_editor ? m_editor->maxLength() : m_unmade.maxLength; }

void TCustomEdit::setMaxLength(int length)
{
    int const kept = length > 0 ? length : 32767;
    if (m_editor) {
        m_editor->setMaxLength(kept);
        return;
    }
    m_unmade.maxLength = kept;
    if (static_cast<int>(m_unmade.text.size()) > kept)
        setText(m_unmade.text.substr(0, static_cast<size_t>(kept)));
}

bool TCustomEdit::readOnly() const { return m_editor ? m_editor->isReadOnly() : m_unmade.readOnly; }

void TCustomEdit::setReadOnly(bool readOnly)
{
    if (m_editor)
        m_editor->setReadOnly(readOnly);
    else
        m_unmade.readOnly = readOnly;
}

void TCustomEdit::selectAll()
{
    if (m_editor)
        m_editor->selectAll();
    else
        m_unmade.selectAll = true;
}

int TCustomEdit::selStart() const
{
    if (!m_editor)
        return 0;
    return m_editor->hasSelectedText() ? m_editor->selectionStart() : m_editor->cursorPosition();
}

int TCustomEdit::selLength() const
{
    if (!m_editor)
        return m_unmade.selectAll ? static_cast<int>(QString::fromStdString(m_unmade.text).size()) : 0;
    return static_cast<int>(m_editor->selectedText().size());
}

void TCustomEdit::setSelection(int start, int length) { editor().setSelection(start, length); }
void TCustomEdit::setCaretPosition(int position) { editor().setCursorPosition(position); }

void TCustomEdit::setFocus()
{
    // Without its editor yet the control holds the focus, which the editor takes over.
    if (m_editor)
        m_editor->setFocus(Qt::OtherFocusReason);
    TControl::setFocus();
}

bool TCustomEdit::canUndo() const { return m_editor && m_editor->isUndoAvailable() && !m_editor->isReadOnly(); }
void TCustomEdit::undo() { editor().undo(); }
void TCustomEdit::cutToClipboard() { editor().cut(); }
void TCustomEdit::copyToClipboard() { editor().copy(); }
void TCustomEdit::pasteFromClipboard() { editor().paste(); }
void TCustomEdit::clearSelection() { editor().del(); }
bool TCustomEdit::hasSelection() const { return m_editor ? m_editor->hasSelectedText() : selLength() > 0; }

bool TCustomEdit::clipboardHasText() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard && !clipboard->text().isEmpty();
}

void TCustomEdit::changed()
{
    if (onChange)
        onChange();
}

TRect TCustomEdit::textRect() const { return TRect{2, 2, width() - 2, height() - 2}; }

void TCustomEdit::paintFrame(Canvas& canvas)
{
    TRect r = clientRect();
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = clBtnShadow;
    canvas.frameRect(r);
    canvas.brush.color = clBtnFace;
    canvas.frameRect(r.inflated(-1));
    canvas.brush.color = clWindow;
    canvas.fillRect(r.inflated(-2));
}

TColor TCustomEdit::textColor() const { return enabled() ? textFont().color : clGrayText; }

void TCustomEdit::paint(Canvas& canvas) { paintFrame(canvas); }

void TCustomEdit::updateEditor()
{
    if (!m_editor)
        return;
    TRect r = textRect();
    m_editor->setGeometry(r.left, r.top, std::max(0, r.width()), std::max(0, r.height()));
    m_editor->setFont(toQFont(textFont()));
    QPalette palette = m_editor->palette();
    QColor text = toQColor(textColor());
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Disabled, QPalette::Text, text);
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Disabled, QPalette::Base, Qt::transparent);
    m_editor->setPalette(palette);
}

void TCustomEdit::resized() { updateEditor(); }

void TCustomEdit::fontChanged()
{
    updateEditor();
    invalidate();
}

void TCustomEdit::enabledChanged()
{
    updateEditor();
    invalidate();
}

void TCustomEdit::focusIn()
{
    if (m_autoSelect)
        selectAll();
    updateEditor();
    invalidate();
    TCustomControl::focusIn();
}

void TCustomEdit::mouseEnter()
{
    updateEditor();
    invalidate();
    TCustomControl::mouseEnter();
}

void TCustomEdit::mouseLeave()
{
    updateEditor();
    invalidate();
    TCustomControl::mouseLeave();
}

} // namespace qv
