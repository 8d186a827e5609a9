#pragma once

#include "runtime/ui/PopupWindow.h"
#include "skin/controls/SkinControl.h"
#include "skin/model/SkinControlData.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class TbsSkinDialogComboBox;

// The open list of a combo box: its items under the box, a window of its own.
class TbsSkinDropDownList : public TPopupWindow {
public:
    explicit TbsSkinDropDownList(TbsSkinDialogComboBox& owner);

    int hotItem() const { return m_hot; }
    void setHotItem(int index);
    int topItem() const { return m_top; }
    int rowHeight() const { return m_rowHeight; }
    int rowsShown() const;
    // Client rectangle of an item; empty when scrolled out of sight.
    TRect itemRect(int index) const;

protected:
    void paint(Canvas& canvas) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseUp(MouseButton button, unsigned shift, int x, int y) override;
    void mouseWheel(int delta, unsigned shift) override;
    // The open list holds the keyboard while it shows.
    void keyDown(int& key, unsigned shift) override;

private:
    int itemAt(int y) const;
    TbsSkinDialogComboBox& m_owner;
    int m_hot = -1;
    int m_top = 0;
    int m_rowHeight = 18;
};

// A closed box showing the chosen item, a button, and a drop-down list of the
// items. Up and Down choose the neighbour item; Alt+Down and F4 open the list.
class TbsSkinDialogComboBox : public TbsSkinControl {
public:
    explicit TbsSkinDialogComboBox(TWinControl* parent);
    ~TbsSkinDialogComboBox() override;

    struct Item {
        std::string text;
        int indent = 0;
        bool folderIcon = false;
    };
    void setItems(std::vector<Item> items, int selected);
    int itemCount() const { return static_cast<int>(m_items.size()); }
    const Item& item(int index) const { return m_items.at(index); }
    int ItemIndex() const { return m_itemIndex; }
    // Programmatic: fires nothing.
    void setItemIndex(int index);
    int DropDownCount() const { return m_dropDownCount; }
    void setDropDownCount(int count) { m_dropDownCount = count < 1 ? 1 : count; }

    void dropDown();
    void closeUp();
    bool droppedDown() const { return m_list && m_list->isOpen(); }
    TbsSkinDropDownList* dropDownList() const { return m_list.get(); }

    // The user chose an item (list or keys).
    std::function<void()> onChange;

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::ComboBox; }
    std::string accessibleValue() const override { return m_itemIndex < 0 ? std::string{} : item(m_itemIndex).text; }
    unsigned accessibleStates() const override { return asHasPopup | (droppedDown() ? asExpanded : 0u); }
    std::vector<TAccessibleAction> accessibleActions() const override { return {TAccessibleAction::Open}; }
    void accessibleDo(TAccessibleAction) override { droppedDown() ? closeUp() : dropDown(); }

    Font listFont() const;

protected:
    friend class TbsSkinDropDownList;
    // The user's choice; fires OnChange when it differs.
    void choose(int index);
    // Up, Down, Enter and Esc while the list is open; true when the key was used.
    bool droppedKey(int key);
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;
    Font textFont() const override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseLeave() override;
    void keyDown(int& key, unsigned shift) override;
    void focusOut() override;

private:
    TRect buttonRect() const;
    void drawText(Canvas& canvas, const TRect& area);

    std::vector<Item> m_items;
    int m_itemIndex = -1;
    int m_dropDownCount = 8;
    std::optional<TbsDataSkinComboBox> m_section;
    bool m_buttonHot = false;
    std::unique_ptr<TbsSkinDropDownList> m_list;
};

// The folder selector: home, the root and the folders down to the shown one.
class TbsSkinShellComboBox : public TbsSkinDialogComboBox {
public:
    explicit TbsSkinShellComboBox(TWinControl* parent);

    // Lists the places for folder and selects it.
    void showFolder(const std::string& folder);
    const std::string& folderAt(int index) const { return m_paths.at(index); }
    std::string chosenFolder() const { return ItemIndex() < 0 ? std::string() : m_paths.at(ItemIndex()); }

private:
    std::vector<std::string> m_paths;
};

// The file-type selector: one item per description of a "description|pattern|..." filter.
class TbsSkinFilterComboBox : public TbsSkinDialogComboBox {
public:
    explicit TbsSkinFilterComboBox(TWinControl* parent);

    const std::string& Filter() const { return m_filter; }
    // Splits the filter into items; the first one is selected.
    void setFilter(const std::string& filter);
    // The selected item's pattern; with nothing selected the last item is selected first; "*.*" without items.
    std::string mask();
    const std::string& patternAt(int index) const { return m_patterns.at(index); }

private:
    std::string m_filter;
    std::vector<std::string> m_patterns;
};

} // namespace qv
