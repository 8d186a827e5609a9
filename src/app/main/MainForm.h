#pragma once

#include "app/main/ChartControl.h"
#include "app/schedule/PaymentSchedule.h"
#include "controls/SkinDateEdit.h"
#include "loan/LoanEngine.h"
#include "loan/LoanView.h"
#include "report/device/TRPPrinterDevice.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/FirstFrame.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/Timer.h"
#include "runtime/ui/UiServices.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/dialogs/SkinFileDialog.h"
#include "skin/frame/SkinForm.h"
#include "skin/menubar/SkinMainMenuBar.h"
#include "skin/model/SkinData.h"
#include "skin/store/CompressedStoredSkin.h"
#include "views/chart/ChartPage.h"
#include "views/report/ScheduleReport.h"

#include <string>

namespace qv {

class TfrmAbout;

// The main window: loan inputs, Calculate, the schedule with its totals, the
// chart page and the File, Calculate and Help menus. The Calculate menu chooses the
// rounding model of new loans.
class TfrmMain : public TForm, public LoanView {
public:
    // fileToOpen: a loan file named on the command line, loaded at start-up instead
    // of the remembered one.
    // services: what the window asks of the desktop; the window keeps its own copy.
    explicit TfrmMain(std::string fileToOpen = {}, UiServices services = desktopUiServices());
    ~TfrmMain() override;

    UiServices ui;
    // Components, named as in the window's design. Parents come before children.
    TbsCompressedStoredSkin skinStore;
    TbsSkinData skinData;
    TbsSkinForm skinForm{*this};
    TMainMenu MainMenu1;
    TbsSkinMainMenuBar skinMenubar{this};
    TbsSkinGroupBox bsSkinGroupBox1{this};
    TbsSkinStdLabel bsSkinStdLabel3{&bsSkinGroupBox1};
    TbsSkinEdit txtAmount{&bsSkinGroupBox1};
    TbsSkinStdLabel bsSkinStdLabel5{&bsSkinGroupBox1};
    TbsSkinEdit txtRate{&bsSkinGroupBox1};
    TbsSkinStdLabel bsSkinStdLabel2{&bsSkinGroupBox1};
    TbsSkinStdLabel bsSkinStdLabel4{&bsSkinGroupBox1};
    TbsSkinEdit txtTerm{&bsSkinGroupBox1};
    TbsSkinStdLabel bsSkinStdLabel1{&bsSkinGroupBox1};
    TbsSkinStdLabel bsSkinStdLabel6{&bsSkinGroupBox1};
    TbsSkinDateEdit txtLoanDate{&bsSkinGroupBox1};
    TbsSkinButton btnCal{&bsSkinGroupBox1};
    TbsSkinPageControl pageSchedule{this};
    TbsSkinTabSheet& bsSkinTabSheet1 = pageSchedule.addPage("Amortization Schedule");
    PaymentSchedule schedule{&bsSkinTabSheet1, loan, *this, ui};
    TbsSkinStdLabel lblTitle1{&bsSkinTabSheet1};
    TbsSkinStdLabel lblMonPay{&bsSkinTabSheet1};
    TbsSkinStdLabel lblTitle2{&bsSkinTabSheet1};
    TbsSkinStdLabel lblTotalInt{&bsSkinTabSheet1};
    TbsSkinStdLabel lblTitle3{&bsSkinTabSheet1};
    TbsSkinStdLabel lblTotalPay{&bsSkinTabSheet1};
    TbsSkinStdLabel lblTitle4{&bsSkinTabSheet1};
    TbsSkinStdLabel lblSavePay{&bsSkinTabSheet1};
    TbsSkinButton btnPrerpt{&bsSkinTabSheet1};
    TbsSkinButton btnViewChart{&bsSkinTabSheet1};
    TbsSkinTabSheet& bsSkinTabSheet2 = pageSchedule.addPage("Chart");
    ChartPage chartPage;
    TChartControl chartAmo{&bsSkinTabSheet2, chartPage.chartAmo()};
    TbsSkinButton btnDrawChart{&bsSkinTabSheet2};
    TbsSkinButton btnClearChart{&bsSkinTabSheet2};
    TbsSkinOpenDialog OpenDialog1;
    TbsSkinSaveDialog SaveDialog1;

    // The About window the Help menu shows (created hidden after this window).
    TfrmAbout* frmAbout = nullptr;

    // The loan record, schedule table, totals and edit state of this process.
    LoanEngine loan;
    // The report: its project, the system that runs it and the schedule as its data.
    // The data exchange comes first: the schedule's connections and their listener
    // threads end before it.
    TRPPrinterDevice printerDevice{platformPrintSystem()};
    ReportServices reportServices{windowReportServices()};
    DataCommunication reportData;
    TRvSystem RvSystem1{reportServices};
    TRvProject RvProject1{reportData, reportServices};
    // Other processes are answered only once the first frame is on screen.
    ScheduleReport scheduleReport{
        loan, reportData.connections(), TRuntimeVisibility::rtDeveloper, ScheduleReport::OfferStart::WhenAsked};
    const std::string& reportProjectFile() const { return RvProject1.ProjectFile(); }

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormClose(TCloseAction& action);
    // Lets report tools of other processes read the schedule and the parameters: the
    // listener threads and the user-wide shared objects. Runs once the first frame is
    // painted; again does nothing.
    void offerReportData();
    void btnCalClick();
    void txtAmountKeyPress(char& key);
    void txtRateExit();
    void txtTermKeyPress(char& key);
    void btnPrerptClick();
    void btnViewChartClick();
    void pageScheduleChange();
    void btnDrawChartClick();
    void btnClearChartClick();
    void mnuNewClick();
    void mnuOpenClick();
    void mnuSaveClick();
    void mnuExitClick();
    void mnuClassicRoundingClick();
    void mnuBankRoundingClick();
    void Help2Click();
    void HomePage1Click();
    void Email1Click();
    void About1Click();

    // LoanView
    ScheduleGrid& grid() override { return schedule.grid(); }
    void setResultLabel(ResultLabel label, const std::string& text) override;
    void setAmountText(const std::string& text) override { txtAmount.setText(text); }
    void setRateText(const std::string& text) override { txtRate.setText(text); }
    void setTermText(const std::string& text) override { txtTerm.setText(text); }
    void setLoanDate(TDateTime date) override { txtLoanDate.setDate(date); }
    void redrawChart() override;
    void showMessage(const std::string& text, const std::string& caption) override;

protected:
    void resized() override;

private:
    ReportServices windowReportServices();
    void buildMenu();
    void layoutInputs();
    void layoutSchedulePage();
    void layoutChartPage();
    void wireEvents();
    void loadSkin();
    void boldTitles();
    CalculateInput calculateInput() const;
    // Recalculates the shown loan in the model and types its extra payments in again.
    void chooseRounding(RoundingModel model);
    void showRoundingChoice();
    ReportFieldTexts reportFieldTexts() const;
    void showExampleLoan();
    void loadFile(const std::string& path);
    std::string exeDir() const;
    // Where example.qvl and info.ini live.
    std::string filesDir() const;

    void reportOfferProblem();

    std::string m_fileToOpen;
    // The model Calculate uses: the user's choice for new loans, kept in info.ini.
    RoundingModel m_rounding = RoundingModel::Classic;
    bool m_offerProblemShown = false;
    TTimer m_offerProblemNotice;
    // Last: dropped first, so a window closed before its first frame is never offered.
    FirstFrameWork m_offerAfterFirstFrame{[this] { offerReportData(); }};
};

} // namespace qv
