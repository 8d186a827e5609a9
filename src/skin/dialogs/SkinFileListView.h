#pragma once

#include "runtime/shell/FolderWatcher.h"
#include "runtime/shell/ShellFolders.h"
#include "runtime/ui/UiServices.h"
#include "skin/controls/SkinControl.h"
#include "skin/model/SkinControlData.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class TbsSkinScrollBar;

enum class TbsViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

// The entries of one folder: its sub-folders and the files that match the mask,
// folders first. Large icons, small icons, list or details with column headers
// drawn from the header section; scrolls through two skinned scroll bars that
// are enabled only while the items do not fit.
class TbsSkinFileListView : public TbsSkinControl {
public:
    // The properties box of an item comes from ui, which must outlive the list.
    TbsSkinFileListView(TWinControl* parent, const UiServices& ui);

    const std::string& folder() const { return m_folder; }
    // Shows a folder; raises the listing's error and keeps the shown one when it cannot be read.
    void setFolder(const std::string& folder);
    const std::string& mask() const { return m_mask; }
    // Re-reads the list only when the mask differs.
    void setMask(const std::string& mask);
    // Reads the shown folder again, keeping the selection by name where it still exists.
    void refresh();
    // Shows the parent folder; nothing at the root.
    void goUp();

    TbsViewStyle ViewStyle() const { return m_viewStyle; }
    void setViewStyle(TbsViewStyle style);
    bool MultiSelection() const { return m_multiSelection; }
    void setMultiSelection(bool multi);
    const std::string& HeaderSkinDataName() const { return m_headerName; }
    void setHeaderSkinDataName(const std::string& name);
    void setScrollBars(TbsSkinScrollBar* horizontal, TbsSkinScrollBar* vertical);

    int itemCount() const { return static_cast<int>(m_items.size()); }
    const TShellItem& item(int index) const { return m_items.at(index); }
    int indexOf(const std::string& name) const;
    bool isSelected(int index) const;
    int selCount() const;
    // Selects one item alone (-1 clears the selection) and gives it the focus mark.
    void selectItem(int index);
    int focusedItem() const { return m_focused; }
    void setFocusedItem(int index);
    // The first selected entry that is a file, or null.
    const TShellItem* selectedFile() const;
    std::vector<std::string> selectedFilePaths() const;

    // The columns of the details view, widths in pixels.
    struct Column {
        std::string caption;
        int width = 0;
        bool rightAligned = false;
    };
    const std::vector<Column>& columns() const { return m_columns; }
    // Item and header geometry in client coordinates, as drawn now.
    TRect itemRect(int index) const;
    TRect headerRect(int column) const;
    int itemAt(int x, int y) const;
    int rowHeight() const { return m_rowHeight; }
    int scrollX() const { return m_scrollX; }
    int scrollY() const { return m_scrollY; }
    void scrollIntoView(int index);

    // Captions of the built-in columns (the dialog's string table texts).
    std::vector<std::string> columnCaptions{"Name", "Size", "Type", "Modified"};

    // A screen reader reads the entries as a list; the focused one has the keyboard.
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::List; }
    int accessibleItemCount() const override { return itemCount(); }
    TAccessibleItem accessibleItem(int index) const override;
    void accessibleItemDo(int index, TAccessibleAction) override { selectItem(index); }
    int accessibleFocusItem() const override { return m_focused; }

    std::function<void()> onFolderChange;
    std::function<void()> onSelectionChange;
    // Enter on a selected file.
    std::function<void()> onFileEnter;
    // Double click on a file.
    std::function<void()> onFileDoubleClick;

protected:
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override { drawDefaultLook(canvas); }
    Font textFont() const override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseWheel(int delta, unsigned shift) override;
    void keyDown(int& key, unsigned shift) override;
    void resized() override;
    void focusIn() override;
    void focusOut() override;

private:
    void load(const std::string& folder, const std::vector<std::string>& keepSelected);
    std::vector<std::string> selectedNames() const;
    void buildColumns();
    void layout();
    void updateScrollBars();
    void scrollBarMoved();
    void setScroll(int x, int y);
    bool scrollsVertically() const { return m_viewStyle != TbsViewStyle::vsList; }
    TRect viewArea() const;
    int headerHeight() const;
    TRect cellRect(int index) const;
    void moveFocus(int index, unsigned shift);
    // How far an arrow key moves the focus mark in the current view.
    int keyStep(int key) const;
    void activate(int index);
    void showProperties(int index);
    void selectionChanged();
    void drawItem(Canvas& canvas, int index);
    void drawHeader(Canvas& canvas);

    std::string m_folder;
    std::string m_mask = "*.*";
    std::vector<TShellItem> m_items;
    std::vector<bool> m_selected;
    int m_focused = -1;
    int m_anchor = -1;
    TbsViewStyle m_viewStyle = TbsViewStyle::vsList;
    bool m_multiSelection = false;
    std::string m_headerName = "resizebutton";
    std::vector<Column> m_columns;
    std::optional<TbsDataSkinListView> m_section;

    // Layout: cell size and how many cells a row or column holds.
    int m_rowHeight = 18;
    int m_cellWidth = 100;
    int m_cellHeight = 18;
    int m_perLine = 1;
    int m_contentWidth = 0;
    int m_contentHeight = 0;
    int m_scrollX = 0;
    int m_scrollY = 0;
    TbsSkinScrollBar* m_hBar = nullptr;
    TbsSkinScrollBar* m_vBar = nullptr;
    bool m_updatingBars = false;

    std::optional<std::int64_t> m_lastPress;
    int m_lastPressItem = -1;
    TShellFolderWatcher m_watcher;
    const UiServices& m_ui;
};

} // namespace qv
