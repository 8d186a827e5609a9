#pragma once

#include "runtime/ui/Control.h"

#include <string>

namespace qv {

// A single-line text editor inside a frame the control paints itself. The text
// area is the rectangle textRect() gives; paintFrame() draws everything around
// and behind it. Each typed character passes OnKeyPress first.
class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TWinControl* parent);
    ~TCustomEdit() override;

    std::string text() const;
    void setText(const std::string& text);
    int maxLength() const;
    void setMaxLength(int length);
    bool readOnly() const;
    void setReadOnly(bool readOnly);
    bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }
    void selectAll();
    int selStart() const;
    int selLength() const;
    void setSelection(int start, int length);
    // Puts the caret at the end, as typing would leave it.
    void setCaretPosition(int position);

    void setFocus() override;

    // Editing commands, as the context menu offers them.
    bool canUndo() const;
    void undo();
    void cutToClipboard();
    void copyToClipboard();
    void pasteFromClipboard();
    void clearSelection();
    bool hasSelection() const;
    bool clipboardHasText() const;

    std::function<void()> onChange;

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::EditableText; }
    std::string accessibleValue() const override { return text(); }

protected:
    // The editor's area inside the control.
    virtual TRect textRect() const;
    virtual void paintFrame(Canvas& canvas);
    // Colour of the typed text; the editor paints it over the frame's background.
    virtual TColor textColor() const;
    // Font of the typed text.
    virtual Font textFont() const { return font(); }
    // Re-applies geometry, font and colour to the editor.
    void updateEditor();
    // The text changed, typed or set; fires OnChange.
    virtual void changed();
    // The context menu at a screen point; the native editor's own by default.
    // Returns false to let the native menu show.
    virtual bool contextMenu(TPoint) { return false; }

    void paint(Canvas& canvas) override;
    // The native editor comes into being here: it lays its text out as it is
    // made, which needs the fonts.
    void measure() override;
    void resized() override;
    void fontChanged() override;
    void enabledChanged() override;
    void focusIn() override;
    void mouseEnter() override;
    void mouseLeave() override;

private:
    friend struct EditEvents;
    class Editor;
    Editor& editor();
    // What the editor takes when it is made.
    struct Unmade {
        std::string text;
        int maxLength = 32767;
        bool readOnly = false;
        bool selectAll = false;
    };
    Editor* m_editor = nullptr;
    Unmade m_unmade;
    bool m_autoSelect = true;
};

} // namespace qv
