#include "runtime/ui/AccessibleFacts.h"

#include "runtime/ui/Control.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace qv::accessibility {

namespace {

// ---- the editor inside an edit control ----

class EditorAccessible : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface {
public:
    explicit EditorAccessible(QLineEdit* editor) : QAccessibleWidget(editor, QAccessible::EditableText) {}

    QLineEdit* editor() const { return static_cast<QLineEdit*>(widget()); }
    TControl* owner() const { return controlOf(editor()->parentWidget()); }

    QString text(QAccessible::Text t) const override
    {
        TControl* c = owner();
        switch (t) {
        case QAccessible::Name: return c ? qs(nameOf(*c)) : QString{};
        case QAccessible::Description: return c ? qs(c->accessibleDescription()) : QString{};
        case QAccessible::Value: return editor()->text();
        default: return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !editor()->isReadOnly();
        s.readOnly = editor()->isReadOnly();
        s.selectableText = true;
        if (TControl* c = owner())
            addStates(s, c->accessibleStates());
        return s;
    }
    QAccessibleInterface* parent() const override
    {
        QWidget* p = treeParent(widget());
        return p ? QAccessible::queryAccessibleInterface(p) : QAccessibleWidget::parent();
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTextInterface
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index != 0 || !editor()->hasSelectedText())
            return;
        *start = editor()->selectionStart();
        *end = *start + int(editor()->selectedText().size());
    }
    int selectionCount() const override { return editor()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { editor()->deselect(); }
    void setSelection(int, int start, int end) override { editor()->setSelection(start, end - start); }
    int cursorPosition() const override { return editor()->cursorPosition(); }
    void setCursorPosition(int position) override { editor()->setCursorPosition(position); }
    QString text(int start, int end) const override { return editor()->text().mid(start, end - start); }
    int characterCount() const override { return int(editor()->text().size()); }
    QRect characterRect(int offset) const override
    {
        const QString text = editor()->text();
        if (offset < 0 || offset >= text.size())
            return {};
        QFontMetrics fm = editor()->fontMetrics();
        int x = fm.horizontalAdvance(text.left(offset));
        QPoint origin = editor()->mapToGlobal(QPoint(x, 0));
        return QRect(origin, QSize(fm.horizontalAdvance(text.at(offset)), editor()->height()));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return editor()->cursorPositionAt(editor()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override
    {
        editor()->setCursorPosition(end);
        editor()->setCursorPosition(start);
    }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

    QStringList actionNames() const override
    {
        TControl* c = owner();
        return QAccessibleWidget::actionNames() + (c ? qtActionNames(c->accessibleActions()) : QStringList{});
    }
    void doAction(const QString& name) override
    {
        TControl* c = owner();
        TAccessibleAction action;
        if (c && c->enabled() && findAction(c->accessibleActions(), name, action))
            c->accessibleDo(action);
        else
            QAccessibleWidget::doAction(name);
    }

    // QAccessibleEditableTextInterface: typed text's filters are for keys only,
    // as with a paste.
    void deleteText(int start, int end) override
    {
        if (editor()->isReadOnly())
            return;
        editor()->setSelection(start, end - start);
        editor()->del();
    }
    void insertText(int offset, const QString& text) override
    {
        if (editor()->isReadOnly())
            return;
        editor()->setCursorPosition(offset);
        editor()->insert(text);
    }
    void replaceText(int start, int end, const QString& text) override
    {
        if (editor()->isReadOnly())
            return;
        editor()->setSelection(start, end - start);
        editor()->insert(text);
    }
};

} // namespace

QAccessibleInterface* newEditorAccessible(QLineEdit* editor) { return new EditorAccessible(editor); }

} // namespace qv::accessibility
