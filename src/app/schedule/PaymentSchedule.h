#pragma once

#include "app/schedule/ExtraPaymentMenu.h"
#include "app/schedule/StringGridSchedule.h"
#include "controls/SkinStringGrid.h"
#include "loan/LoanEngine.h"
#include "loan/LoanView.h"
#include "runtime/ui/UiServices.h"
#include "skin/scrollbar/SkinScrollBar.h"

namespace qv {

// The schedule grid of the main window's first page: gridPayment with its
// external bar bsSkinScrollBar1, the six schedule columns, and the handlers
// that let the user type extra payments into column 4 only. The constructor
// places both controls on the page; loan and view are only stored, so the
// window may pass members it has not finished building.
class PaymentSchedule {
public:
    static constexpr TGridOptions designOptions = 31;
    static constexpr TGridOptions editingOptions = designOptions | goEditing; // 1055

    // ui beeps at a key the Extra Payment column refuses; it must outlive the schedule.
    PaymentSchedule(TWinControl* page, LoanEngine& loan, LoanView& view, const UiServices& ui);
    ~PaymentSchedule();
    PaymentSchedule(const PaymentSchedule&) = delete;
    PaymentSchedule& operator=(const PaymentSchedule&) = delete;

    // Declared in this order: the bar must lie above the grid.
    TbsSkinStringGrid gridPayment;
    TbsSkinScrollBar bsSkinScrollBar1;

    ScheduleGrid& grid() { return m_adapter; }
    void setSkinData(TbsSkinData* data);

    // The grid part of the window's creation: six columns, two rows, widths, headers.
    void FormCreate();
    // The grid part of New: one empty data row.
    void New();

    void gridPaymentSelectCell(TbsSkinDrawGrid& sender, int col, int row, bool& canSelect);
    void gridPaymentKeyPress(char& key);
    void gridPaymentDrawCell(TbsSkinDrawGrid& sender, int col, int row, const TRect& rect, TGridDrawState state);
    // A right click on an Extra Payment cell, or the menu key on the current one, opens
    // the recurring extra payment menu for that month.
    void gridPaymentContextPopup(TPoint mousePos);

    ExtraPaymentMenu extraPaymentMenu{[this](ExtraPaymentMenu::Command command) { runExtraPaymentCommand(command); }};

private:
    void runExtraPaymentCommand(ExtraPaymentMenu::Command command);
    // The current month's cell shows what the command left in the table, and leaving it
    // re-amortizes nothing more.
    void settleArmedCell();

    LoanEngine& m_loan;
    LoanView& m_view;
    const UiServices& m_ui;
    StringGridSchedule m_adapter{gridPayment};
};

} // namespace qv
