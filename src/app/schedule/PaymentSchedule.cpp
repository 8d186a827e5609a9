#include "app/schedule/PaymentSchedule.h"

#include <cctype>

namespace qv {

namespace {

constexpr int designWidths[] = {64, 88, 104, 133, 110};

bool acceptedInExtraPayment(char key)
{
    return key == chBackspace || key == chEnter || key == '-' || key == '.'
        || std::isdigit(static_cast<unsigned char>(key));
}

} // namespace

PaymentSchedule::PaymentSchedule(TWinControl* page, LoanEngine& loan, LoanView& view, const UiServices& ui)
    : gridPayment(page), bsSkinScrollBar1(page), m_loan(loan), m_view(view), m_ui(ui)
{
    gridPayment.setName("gridPayment");
    gridPayment.setAccessibleName("Amortization Schedule");
    gridPayment.setBounds(16, 16, 609, 177);
    gridPayment.setSkinDataName("grid");
    gridPayment.setDefaultRowHeight(20);
    gridPayment.setDefaultCellHeight(20);
    gridPayment.setUseSkinCellHeight(true);
    gridPayment.setUseSkinFont(true);
    gridPayment.setGridLineColor(clWindowText);
    // The skin's cell font, so the plain look fits the same column widths.
    Font cellFont;
    cellFont.name = "Arial";
    cellFont.cellHeight = 14;
    cellFont.color = clBlack;
    gridPayment.setFont(cellFont);
    gridPayment.setOptions(designOptions);
    gridPayment.setColCount(5);
    for (int col = 0; col < 5; ++col)
        gridPayment.setColWidths(col, designWidths[col]);
    gridPayment.setFixedCols(1);
    gridPayment.setFixedRows(1);

    bsSkinScrollBar1.setName("bsSkinScrollBar1");
    bsSkinScrollBar1.setKind(TScrollBarKind::Vertical);
    bsSkinScrollBar1.setBounds(608, 16, 19, 177);
    bsSkinScrollBar1.hide();
    gridPayment.setVScrollBar(&bsSkinScrollBar1);

    gridPayment.onSelectCell = [this](TbsSkinDrawGrid& sender, int col, int row, bool& canSelect) {
        gridPaymentSelectCell(sender, col, row, canSelect);
    };
    gridPayment.onKeyPress = [this](char& key) { gridPaymentKeyPress(key); };
    gridPayment.onDrawCell = [this](TbsSkinDrawGrid& sender, int col, int row, const TRect& rect, TGridDrawState state) {
        gridPaymentDrawCell(sender, col, row, rect, state);
    };
    gridPayment.onContextPopup = [this](TPoint mousePos) { gridPaymentContextPopup(mousePos); };
}

// The bar goes first; it must not call back into the grid on its way out.
PaymentSchedule::~PaymentSchedule() { gridPayment.setVScrollBar(nullptr); }

void PaymentSchedule::setSkinData(TbsSkinData* data)
{
    gridPayment.setSkinData(data);
    bsSkinScrollBar1.setSkinData(data);
}

void PaymentSchedule::FormCreate()
{
    static const char* const headers[] = {"No", "Payment Date", "Interest Payment", "Principal Payment", "Extra Payment", "Balance"};
    gridPayment.setColCount(6);
    gridPayment.setRowCount(2);
    gridPayment.setColWidths(0, 30);
    for (int col = 2; col <= 5; ++col)
        gridPayment.setColWidths(col, 110);
    for (int col = 0; col < 6; ++col)
        gridPayment.setCells(col, 0, headers[col]);
}

void PaymentSchedule::New()
{
    gridPayment.setRowCount(2);
    for (int col = 0; col <= 5; ++col)
        gridPayment.setCells(col, 1, "");
}

void PaymentSchedule::gridPaymentSelectCell(TbsSkinDrawGrid&, int col, int row, bool&)
{
    // A rejected extra payment raises here and so ends the move on the edited cell.
    bool editing = m_loan.selectCell(col, row, m_view);
    gridPayment.setOptions(editing ? editingOptions : designOptions);
}

void PaymentSchedule::gridPaymentKeyPress(char& key)
{
    if (gridPayment.Options() != editingOptions)
        return;
    if (!acceptedInExtraPayment(key)) {
        if (m_ui.beep)
            m_ui.beep();
        key = 0;
        return;
    }
    if (key != 13)
        return;
    if (gridPayment.Col() < gridPayment.ColCount() - 1) {
        gridPayment.setCol(gridPayment.Col() + 1);
        return;
    }
    gridPayment.setCol(1);
    gridPayment.setRow(gridPayment.Row() + 1);
}

void PaymentSchedule::gridPaymentDrawCell(TbsSkinDrawGrid&, int, int, const TRect&, TGridDrawState) {}

void PaymentSchedule::gridPaymentContextPopup(TPoint mousePos)
{
    bool const byMouse = mousePos.x >= 0;
    if (byMouse) {
        TGridCoord const cell = gridPayment.MouseCoord(mousePos.x, mousePos.y);
        if (cell.x != LoanEngine::extraColumn || cell.y < gridPayment.FixedRows())
            return;
        // The menu works on the current cell: the click makes it current, which also
        // commits an extra payment typed into another cell.
        gridPayment.setCol(cell.x);
        gridPayment.setRow(cell.y);
    }
    if (gridPayment.Col() != LoanEngine::extraColumn || gridPayment.Row() < gridPayment.FixedRows())
        return;
    TRect const cell = gridPayment.CellRect(gridPayment.Col(), gridPayment.Row());
    TPoint const at = byMouse ? mousePos : TPoint{cell.left, cell.bottom};
    extraPaymentMenu.popup(gridPayment.parentForm(), gridPayment.clientToScreen(at));
}

void PaymentSchedule::runExtraPaymentCommand(ExtraPaymentMenu::Command command)
{
    int const month = gridPayment.Row();
    switch (command) {
    case ExtraPaymentMenu::Command::RepeatToEnd:
        m_loan.repeatExtraPayment(month, gridPayment.Cells(LoanEngine::extraColumn, month), m_view);
        break;
    case ExtraPaymentMenu::Command::ClearFromHere: m_loan.clearExtraPaymentsFrom(month, m_view); break;
    case ExtraPaymentMenu::Command::ClearAll: m_loan.clearAllExtraPayments(m_view); break;
    }
    settleArmedCell();
    m_view.redrawChart();
}

void PaymentSchedule::settleArmedCell()
{
    EditState& edit = m_loan.edit;
    if (edit.armedRow == 0 || !m_loan.table.hasRow(edit.armedRow))
        return;
    edit.armedText = m_loan.table.cell(edit.armedRow, colExtra);
    gridPayment.setCells(edit.armedCol, edit.armedRow, edit.armedText);
}

} // namespace qv
