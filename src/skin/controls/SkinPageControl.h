#pragma once

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/model/SkinControlData.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class TbsSkinPageControl;

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

// One page; it fills the page control's page area, shows while its tab is
// selected and paints its background from the page control's section.
class TbsSkinTabSheet : public TCustomControl {
public:
    TbsSkinTabSheet(TbsSkinPageControl& pageControl, const std::string& caption);

    const std::string& Caption() const { return m_caption; }
    void setCaption(const std::string& caption);
    bool TabVisible() const { return m_tabVisible; }
    void setTabVisible(bool visible);
    TbsSkinPageControl& PageControl() const { return m_pageControl; }
    int PageIndex() const;

    TAccessibleRole accessibleRole() const override { return TAccessibleRole::Pane; }
    std::string accessibleName() const override { return m_caption; }

protected:
    void paint(Canvas& canvas) override;
    void resized() override { invalidate(); }
    void mouseEnter() override;

private:
    TbsSkinPageControl& m_pageControl;
    std::string m_caption;
    bool m_tabVisible = true;
};

// Tabs select the pages. With a "tab" section the tabs, the strip behind them,
// the frame around the pages and the pages' background come from the skin;
// without one they are drawn in system colours. Tabs that do not fit on one
// line scroll with an up-down at the end of the strip.
class TbsSkinPageControl : public TbsSkinControl {
public:
    explicit TbsSkinPageControl(TWinControl* parent);

    TbsSkinTabSheet& addPage(const std::string& caption);
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    TbsSkinTabSheet& Page(int index) const { return *m_pages.at(index); }
    int ActivePageIndex() const { return m_activeIndex; }
    TbsSkinTabSheet* ActivePage() const;
    // Selecting a page the user's way: OnChanging may refuse, OnChange follows.
    void setActivePageIndex(int index);
    void setActivePage(TbsSkinTabSheet& page);

    // 0: the tab height follows the skin's tab picture, or DefaultItemHeight without one.
    int TabHeight() const { return m_tabHeight; }
    void setTabHeight(int height);
    // 0: each tab as wide as its caption.
    int TabWidth() const { return m_tabWidth; }
    void setTabWidth(int width);
    TTabPosition TabPosition() const { return m_tabPosition; }
    void setTabPosition(TTabPosition position);
    int DefaultItemHeight() const { return m_defaultItemHeight; }
    void setDefaultItemHeight(int height);

    // Geometry in the control's coordinates: the area the pages fill, and the
    // rectangle of the i-th visible tab (empty for no such tab).
    TRect displayRect() const;
    TRect tabRect(int visibleIndex) const;
    int visibleTabCount() const { return static_cast<int>(visibleTabs().size()); }
    // The visible tab under a point, or -1.
    int tabAt(int x, int y) const;
    int hotTab() const { return m_hotTab; }
    // The tab the platform shows first on the strip; tabs before it are scrolled off.
    int firstTab() const { return m_firstTab; }
    // The tab scroller while tabs are hidden, else null.
    TbsSkinUpDown* upDown() const { return m_upDown.get(); }
    // The tab height the control applies (TabHeight, the tab picture's or DefaultItemHeight).
    int itemHeight() const { return m_itemHeight; }

    void setBounds(int left, int top, int width, int height) override;
    void skinChanged() override;
    void skinChangeBegins() override;

    std::function<void()> onChange;
    std::function<void(bool& allow)> onChanging;

    // The visible tabs are its parts.
    TAccessibleRole accessibleRole() const override { return TAccessibleRole::PageTabList; }
    int accessibleItemCount() const override { return visibleTabCount(); }
    TAccessibleItem accessibleItem(int index) const override;
    void accessibleItemDo(int index, TAccessibleAction action) override;
    int accessibleFocusItem() const override { return visibleIndexOf(m_activeIndex); }

protected:
    void bindSection() override;
    void drawDefaultLook(Canvas& canvas) override;
    void drawSkinLook(Canvas& canvas) override;
    void fontChanged() override;
    void skinFontChanged() override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseLeave() override;
    void keyDown(int& key, unsigned shift) override;
    void focusIn() override { invalidate(); }
    void focusOut() override { invalidate(); }

private:
    friend class TbsSkinTabSheet;
    // What the control copies from a tab section at every bind.
    struct Look {
        const TbsSkinPicture* picture = nullptr;
        TbsPieceFields fields;
        TRect normal, selected, focused, hot;
        TRect tabsBG;
        int leftOffset = 0, rightOffset = 0;
        TbsSkinFontFields font;
        TColor activeFontColor = 0, focusFontColor = 0, hotFontColor = 0;
        std::string upDown;
        int bgPictureIndex = -1;
    };
    enum class TabState { Normal, Hot, Selected, Focused };
    bool horizontalTabs() const
    {
        return m_tabPosition == TTabPosition::tpTop || m_tabPosition == TTabPosition::tpBottom;
    }
    // The pointer went onto a child (a page or the scroller): no tab is under it any more.
    void clearHotTab();
    // Captions, tab visibility or tab geometry changed: lay out and check the scroller again.
    void tabsChanged();
    std::vector<int> visibleTabs() const;
    int visibleIndexOf(int pageIndex) const;
    // What the native tab control answers before the skin's adjustments.
    TRect platformDisplayRect() const;
    TRect platformTabRect(int visibleIndex) const;
    int platformTabLength(int pageIndex) const;
    // The tab widths follow the captions in the control's Font; measured when first
    // asked for after a layout.
    void measureCaptions() const;
    // Whether the tabs fit is known only once the captions are measured.
    void measure() override;
    void applyTabMetrics();
    void layoutPages();
    void checkScroller();
    int hiddenTabCount() const;
    int tabsScrolledOff() const;
    void scrollerMoved();
    void bringSelectedIntoView();
    TabState tabState(int visibleIndex) const;
    void drawTab(Canvas& canvas, int visibleIndex);
    void drawFrame(TbsSkinPicture& out) const;
    void tileTabStrip(TbsSkinPicture& out) const;
    Font tabTextFont() const;
    // Paints a sheet's background: the section's client piece, its background picture, or button face.
    void paintSheet(Canvas& canvas, const TbsSkinTabSheet& sheet);

    std::vector<TbsSkinTabSheet*> m_pages;
    std::vector<std::unique_ptr<TbsSkinTabSheet>> m_ownedPages;
    mutable std::vector<int> m_captionWidths;
    mutable bool m_captionsMeasured = false;
    std::optional<Look> m_look;
    std::unique_ptr<TbsSkinUpDown> m_upDown;
    int m_activeIndex = -1;
    int m_tabHeight = 0;
    int m_tabWidth = 0;
    TTabPosition m_tabPosition = TTabPosition::tpTop;
    int m_defaultItemHeight = 20;
    int m_itemHeight = 20;
    int m_firstTab = 0;
    int m_hotTab = -1;
};

} // namespace qv
