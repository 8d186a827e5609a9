#pragma once

#include "app/schedule/PaymentSchedule.h"
#include "controls/SkinInplaceEdit.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Input.h"
#include "runtime/ui/UiServices.h"
#include "support/RecordedBoxes.h"
#include "support/ScratchDir.h"

#include <map>
#include <string>

namespace qv::test {

inline TApplication& app()
{
    static int argc = 1;
    static ScratchDir exeFolder("quorvane-schedule-test");
    static std::string program = exeFolder.file("quorvane");
    static char* argv[] = {program.data(), nullptr};
    // Never destroyed: Qt cannot be torn down during static destruction.
    static TApplication* application = new TApplication(argc, argv, recordingBoxes());
    return *application;
}

// The parts of the main window the schedule grid works with.
class ScheduleWindow : public TForm, public LoanView {
public:
    ScheduleWindow()
    {
        setClientSize(660, 220);
        schedule.FormCreate();
    }

    ScheduleGrid& grid() override { return schedule.grid(); }
    void setResultLabel(ResultLabel label, const std::string& text) override { labels[label] = text; }
    void setAmountText(const std::string&) override {}
    void setRateText(const std::string&) override {}
    void setTermText(const std::string&) override {}
    void setLoanDate(TDateTime) override {}
    void redrawChart() override { ++chartRedraws; }
    void showMessage(const std::string& text, const std::string& caption) override { messages[caption] = text; }

    LoanEngine loan;
    // Counts the beeps of refused keys.
    UiServices ui{.beep = [this] { ++beeps; }};
    int beeps = 0;
    PaymentSchedule schedule{this, loan, *this, ui};
    TbsSkinStringGrid& gridPayment = schedule.gridPayment;
    std::map<ResultLabel, std::string> labels;
    std::map<std::string, std::string> messages;
    int chartRedraws = 0;
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

// Client point in the middle of a visible cell.
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
