#pragma once

#include "app/schedule/StringGridSchedule.h"
#include "controls/SkinStringGrid.h"
#include "loan/LoanEngine.h"
#include "loan/LoanView.h"
#include "skin/scrollbar/SkinScrollBar.h"

namespace qv {

// The schedule grid of the main window's first page: gridPayment with its
// external bar bsSkinScrollBar1, the six schedule columns, and the handlers
// that let the user type extra payments into column 4 only.
//
// Plugging it into the main window (replaces ScheduleView):
//   member, declared after bsSkinTabSheet1 (loan and *this are only stored):
//       PaymentSchedule schedule{&bsSkinTabSheet1, loan, *this};
//   LoanView:         ScheduleGrid& grid() override { return schedule.grid(); }
//   layout:           schedule.setSkinData(&skinData); schedule.gridPayment.setTabOrder(0);
//                     (drop the old place(gridPayment, ...): the constructor places both controls)
//   FormCreate:       schedule.FormCreate();      (instead of the six column lines)
//   mnuNewClick:      schedule.New();             (instead of the row-count and row-1 lines)
class PaymentSchedule {
public:
    static constexpr TGridOptions designOptions = 31;
    static constexpr TGridOptions editingOptions = designOptions | goEditing; // 1055

    PaymentSchedule(TWinControl* page, LoanEngine& loan, LoanView& view);
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

private:
    LoanEngine& m_loan;
    LoanView& m_view;
    StringGridSchedule m_adapter{gridPayment};
};

} // namespace qv
