#pragma once

#include "controls/SkinInplaceEdit.h"
#include "controls/SkinStringGrid.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/CustomEdit.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "skin/scrollbar/SkinScrollBar.h"
#include "support/RecordedBoxes.h"
#include "support/ScratchDir.h"

#include <string>
#include <vector>

namespace qv::test {

inline TApplication& app()
{
    static int argc = 1;
    static ScratchDir exeFolder("quorvane-controls-test");
    static std::string program = exeFolder.file("quorvane");
    static char* argv[] = {program.data(), nullptr};
    // Never destroyed: Qt cannot be torn down during static destruction.
    static TApplication* application = new TApplication(argc, argv, recordingBoxes());
    return *application;
}

// A window with one string grid of 20-pixel rows and its external bars.
struct GridWindow : TForm {
    GridWindow()
    {
        setClientSize(400, 300);
        grid.setBounds(10, 10, 300, 177);
        vbar.setBounds(310, 10, 19, 177);
        hbar.setBounds(10, 187, 300, 19);
        other.setBounds(10, 250, 80, 20);
        grid.setTabOrder(0);
        other.setTabOrder(1);
        other.onEnter = [this] { ++otherEnters; };
        grid.setHScrollBar(&hbar);
        grid.setVScrollBar(&vbar);
        grid.onSelectCell = [this](TbsSkinDrawGrid&, int col, int row, bool& canSelect) {
            selections.push_back(TGridCoord{col, row});
            canSelect = allowSelect;
        };
    }
    ~GridWindow() override
    {
        grid.setHScrollBar(nullptr);
        grid.setVScrollBar(nullptr);
    }

    TbsSkinStringGrid grid{this};
    TbsSkinScrollBar vbar{this};
    TbsSkinScrollBar hbar{this};
    TCustomEdit other{this};
    int otherEnters = 0;
    std::vector<TGridCoord> selections;
    bool allowSelect = true;
};

// Keys go where the keyboard sends them: to the control that has the focus.
inline TControl& keyboardTarget(TControl& fallback)
{
    TForm* form = fallback.parentForm();
    TControl* active = form ? form->activeControl() : nullptr;
    return active ? *active : fallback;
}

inline void typeInto(TControl& control, const std::string& text)
{
    for (char ch : text)
        sendChars(keyboardTarget(control), std::string(1, ch));
}

inline void pressKey(TControl& control, int key, unsigned shift = 0) { sendKeyStroke(keyboardTarget(control), key, shift); }

inline TPoint cellCentre(const TbsSkinCustomGrid& grid, int col, int row)
{
    TRect r = grid.CellRect(col, row);
    return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline void clickCell(TbsSkinCustomGrid& grid, int col, int row)
{
    TPoint p = cellCentre(grid, col, row);
    sendClick(grid, p.x, p.y);
}

} // namespace qv::test
