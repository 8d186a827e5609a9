#pragma once

#include "skin/controls/SkinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace qv {

class TbsSkinPageControl;

// One page; it fills the page control's page area and shows while its tab is selected.
class TbsSkinTabSheet : public TCustomControl {
public:
    TbsSkinTabSheet(TbsSkinPageControl& pageControl, const std::string& caption);

    const std::string& Caption() const { return m_caption; }
    void setCaption(const std::string& caption);
    bool TabVisible() const { return m_tabVisible; }
    TbsSkinPageControl& PageControl() const { return m_pageControl; }
    int PageIndex() const;

protected:
    void paint(Canvas& canvas) override;

private:
    TbsSkinPageControl& m_pageControl;
    std::string m_caption;
    bool m_tabVisible = true;
};

// Tabs along the top select the pages. Without a section the tabs and the frame
// are drawn in system colours.
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

    int TabHeight() const { return m_tabHeight; }
    void setTabHeight(int height);
    int DefaultItemHeight() const { return m_defaultItemHeight; }
    void setDefaultItemHeight(int height);

    // Geometry the pages and tabs use, in the control's coordinates.
    TRect displayRect() const;
    TRect tabRect(int index) const;
    int hotTab() const { return m_hotTab; }
    int tabAt(int x, int y) const;

    void setBounds(int left, int top, int width, int height) override;

    std::function<void()> onChange;
    std::function<void(bool& allow)> onChanging;

protected:
    void drawDefaultLook(Canvas& canvas) override;
    void paintBackgroundFor(Canvas& canvas, const TControl& child) override;
    void mouseDown(MouseButton button, unsigned shift, int x, int y) override;
    void mouseMove(unsigned shift, int x, int y) override;
    void mouseLeave() override;
    void keyDown(int& key, unsigned shift) override;
    void doEnter() override { invalidate(); }
    void doExit() override { invalidate(); }

private:
    friend class TbsSkinTabSheet;
    int itemHeight() const;
    void layoutPages();
    void drawTab(Canvas& canvas, int index);

    std::vector<TbsSkinTabSheet*> m_pages;
    std::vector<std::unique_ptr<TbsSkinTabSheet>> m_ownedPages;
    int m_activeIndex = -1;
    int m_tabHeight = 0;
    int m_defaultItemHeight = 20;
    int m_hotTab = -1;
};

} // namespace qv
