#include "app/main/MainForm.h"

#include "app/about/AboutForm.h"
#include "loan/BankRounding.h"
#include "loan/LastFileMemory.h"
#include "loan/LoanFile.h"
#include "product/ProductInfo.h"
#include "report/device/TRPPrinterDevice.h"
#include "report/ui/ReportWindows.h"
#include "report/device/TRvRenderPDF.h"
#include "report/execution/TRvSystem.h"
#include "report/project/ReportErrors.h"
#include "runtime/core/Exception.h"
#include "runtime/core/FileErrors.h"
#include "runtime/core/Format.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/UserFiles.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Shell.h"
#include "skin/quorvane/QuorvaneSkin.h"

#include <cctype>

namespace qv {

namespace {

constexpr unsigned infoBox = MB_TASKMODAL | MB_ICONINFORMATION;

void place(TControl& control, int left, int top, int width, int height) { control.setBounds(left, top, width, height); }

// The window's labels draw in its base font.
Font labelFont()
{
    Font f;
    f.name = "MS Sans Serif";
    f.size = 8;
    f.color = clBlack;
    return f;
}

void placeLabel(TbsSkinStdLabel& label, const std::string& caption, int left, int top)
{
    label.setDefaultFont(labelFont());
    label.setCaption(caption);
    label.setLeft(left);
    label.setTop(top);
}

void placeFixedLabel(TbsSkinStdLabel& label, const std::string& caption, int left, int top, int width, int height)
{
    label.setAutoSize(false);
    label.setDefaultFont(labelFont());
    label.setCaption(caption);
    label.setBounds(left, top, width, height);
}

// A button of the window under its code name, drawn by the window's skin.
void placeButton(TbsSkinButton& button, TbsSkinData& skin, const std::string& name, const std::string& caption,
                 int left, int top, int width, int height)
{
    button.setName(name);
    button.setSkinData(&skin);
    button.setCaption(caption);
    place(button, left, top, width, height);
}

} // namespace

TfrmMain::TfrmMain(std::string fileToOpen, UiServices services)
    : ui(std::move(services)), m_fileToOpen(std::move(fileToOpen))
{
    setName("frmMain");
    setCaption(product::name);
    setClientSize(714, 460);
    setScreenPosition(205, 120);
    setColor(clBtnFace);
    skinData.setOwner(&skinForm);
    skinForm.setSkinData(&skinData);
    loadSkin();

    buildMenu();
    skinMenubar.setName("skinMenubar");
    skinMenubar.setSkinData(&skinData);
    skinMenubar.setMainMenu(&MainMenu1);
    skinMenubar.setSkinForm(&skinForm.menus());
    // Linked, so that Alt, F10 and the access keys work the menu from the keyboard.
    skinForm.menus().setMainMenuBar(&skinMenubar);
    place(skinMenubar, 0, 0, 714, 22);

    layoutInputs();
    layoutSchedulePage();
    layoutChartPage();

    RvProject1.Engine = &RvSystem1;
    for (TbsSkinOpenDialog* dialog : std::initializer_list<TbsSkinOpenDialog*>{&OpenDialog1, &SaveDialog1}) {
        dialog->setFilter("Quorvel files|*.qvl");
        dialog->setSkinData(&skinData);
        dialog->setCtrlSkinData(&skinData);
    }

    wireEvents();
    RvProject1.Loaded();
    boldTitles();
}

// The model inflates the stored skin before the controls take their places, so
// each binds its section once and measures its text in the font it will show:
// measuring first in the design fonts would only be thrown away. A skin that does
// not load leaves the default looks and the window goes on.
void TfrmMain::loadSkin()
{
    skinStore.FileName = "SKIN.INI";
    skinStore.setCompressedData(std::string(quorvaneCompressedSkin()));
    // The frame hears the load's notices and passes them on to the controls.
    TApplication::guard([this] { skinData.setCompressedStoredSkin(&skinStore); });
}

// The titles are the skin's label font in bold. Taking the skin font the label
// would take the skin's style too, which has no bold, so they carry the font as
// their own; without a skin they are the window's base font in bold.
void TfrmMain::boldTitles()
{
    Font f = labelFont();
    int const index = skinData.FindSkinControl(lblTitle1.SkinDataName());
    if (index >= 0) {
        if (auto* section = dynamic_cast<const TbsDataSkinStdLabelControl*>(&skinData.skinControl(index)))
            f = skinFont(section->Font, f);
    }
    f.style |= fsBold;
    for (TbsSkinStdLabel* title : {&lblTitle1, &lblTitle2, &lblTitle3, &lblTitle4}) {
        title->setDefaultFont(f);
        title->setFont(f);
        title->setUseSkinFont(false);
    }
}

void TfrmMain::buildMenu()
{
    TMenuItem& root = MainMenu1.items();
    TMenuItem& file = root.add("File1", "&File");
    file.add("mnuNew", "&New");
    file.add("mnuOpen", "&Open");
    file.add("mnuSave", "&Save");
    file.add("N1", "-");
    file.add("mnuExit", "E&xit");
    TMenuItem& calculate = root.add("Calculate1", "Calc&ulate");
    calculate.add("loan1", "&Loan");
    calculate.add("N3", "-");
    calculate.add("mnuClassicRounding", "Classic Rounding").setRadioItem(true);
    calculate.add("mnuBankRounding", "Bank Rounding").setRadioItem(true);
    TMenuItem& help = root.add("Help1", "&Help");
    help.add("Help2", "H&elp").setShortCut("F1");
    help.add("HomePage1", "Web Site");
    help.add("Email1", "Email...");
    help.add("N2", "-");
    help.add("About1", "&About");
}

void TfrmMain::layoutInputs()
{
    bsSkinGroupBox1.setName("bsSkinGroupBox1");
    bsSkinGroupBox1.setSkinData(&skinData);
    bsSkinGroupBox1.setCaption("Amortization Caluculator");
    bsSkinGroupBox1.setDefaultAlignment(TAlignment::Center);
    place(bsSkinGroupBox1, 16, 32, 681, 89);

    for (TbsSkinStdLabel* label :
         {&bsSkinStdLabel3, &bsSkinStdLabel5, &bsSkinStdLabel2, &bsSkinStdLabel4, &bsSkinStdLabel1, &bsSkinStdLabel6})
        label->setSkinData(&skinData);
    placeLabel(bsSkinStdLabel3, "Loan Amount:", 32, 32);
    placeLabel(bsSkinStdLabel5, "Interest Rate:", 328, 32);
    placeLabel(bsSkinStdLabel2, "%", 496, 32);
    placeLabel(bsSkinStdLabel4, "Term:", 32, 64);
    placeLabel(bsSkinStdLabel1, "Year", 200, 64);
    placeLabel(bsSkinStdLabel6, "Loan Date:", 328, 64);

    struct Field {
        TbsSkinEdit& edit;
        const char* name;
        int left, top, width, order;
    };
    // The date field is wider than designed (81) so that a date with its four-digit
    // year shows whole beside the drop-down button.
    for (Field f : {Field{txtAmount, "txtAmount", 136, 32, 57, 0}, Field{txtRate, "txtRate", 424, 32, 65, 1},
                    Field{txtTerm, "txtTerm", 136, 64, 57, 2}, Field{txtLoanDate, "txtLoanDate", 424, 64, 92, 3}}) {
        f.edit.setName(f.name);
        f.edit.setSkinData(&skinData);
        place(f.edit, f.left, f.top, f.width, 18);
        f.edit.setTabOrder(f.order);
    }
    txtAmount.setText("0");
    txtRate.setText("0");
    txtTerm.setText("0");
    txtLoanDate.loaded();

    placeButton(btnCal, skinData, "btnCal", "Calculate", 560, 64, 73, 17);
    btnCal.setTabOrder(4);
}

void TfrmMain::layoutSchedulePage()
{
    pageSchedule.setName("pageSchedule");
    pageSchedule.setSkinData(&skinData);
    place(pageSchedule, 16, 128, 681, 321);
    bsSkinTabSheet1.setName("bsSkinTabSheet1");
    bsSkinTabSheet2.setName("bsSkinTabSheet2");
    pageSchedule.setActivePageIndex(0);

    schedule.setSkinData(&skinData);
    schedule.gridPayment.setTabOrder(0);

    for (TbsSkinStdLabel* label :
         {&lblTitle1, &lblMonPay, &lblTitle2, &lblTotalInt, &lblTitle3, &lblTotalPay, &lblTitle4, &lblSavePay})
        label->setSkinData(&skinData);
    placeLabel(lblTitle1, "Monthly Payment:", 32, 224);
    placeFixedLabel(lblMonPay, "MonPay", 136, 224, 97, 17);
    placeLabel(lblTitle2, "Interest Payment:", 248, 224);
    placeFixedLabel(lblTotalInt, "Total Int", 352, 224, 81, 17);
    placeLabel(lblTitle3, "Total Payment:", 32, 256);
    placeFixedLabel(lblTotalPay, "Total Pay", 136, 256, 97, 17);
    placeLabel(lblTitle4, "Interest Saved:", 248, 256);
    placeFixedLabel(lblSavePay, "Save Int", 352, 256, 73, 17);
    lblMonPay.setName("lblMonPay");
    lblTotalInt.setName("lblTotalInt");
    lblTotalPay.setName("lblTotalPay");
    lblSavePay.setName("lblSavePay");
    // A screen reader reads each result as its title with the figure as its value.
    lblMonPay.setAccessibleName("Monthly Payment");
    lblTotalInt.setAccessibleName("Interest Payment");
    lblTotalPay.setAccessibleName("Total Payment");
    lblSavePay.setAccessibleName("Interest Saved");

    placeButton(btnPrerpt, skinData, "btnPrerpt", "Report", 464, 248, 73, 25);
    placeButton(btnViewChart, skinData, "btnViewChart", "Chart", 568, 248, 73, 25);
}

void TfrmMain::layoutChartPage()
{
    chartAmo.setName("chartAmo");
    place(chartAmo, ChartPage::chartLeft, ChartPage::chartTop, ChartPage::chartWidth, ChartPage::chartHeight);
    placeButton(btnDrawChart, skinData, "btnDrawChart", "Draw", 616, 48, 49, 25);
    placeButton(btnClearChart, skinData, "btnClearChart", "Clear", 616, 88, 49, 25);
    pageScheduleChange();
}

void TfrmMain::wireEvents()
{
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onClose = [this](TCloseAction& action) { FormClose(action); };
    btnCal.onClick = [this] { btnCalClick(); };
    txtAmount.onKeyPress = [this](char& key) { txtAmountKeyPress(key); };
    txtRate.onExit = [this] { txtRateExit(); };
    txtTerm.onKeyPress = [this](char& key) { txtTermKeyPress(key); };
    btnPrerpt.onClick = [this] { btnPrerptClick(); };
    btnViewChart.onClick = [this] { btnViewChartClick(); };
    btnDrawChart.onClick = [this] { btnDrawChartClick(); };
    btnClearChart.onClick = [this] { btnClearChartClick(); };
    pageSchedule.onChange = [this] { pageScheduleChange(); };

    auto wire = [this](const char* name, void (TfrmMain::*handler)()) { MainMenu1.find(name)->onClick = [this, handler] { (this->*handler)(); }; };
    wire("mnuNew", &TfrmMain::mnuNewClick);
    wire("mnuOpen", &TfrmMain::mnuOpenClick);
    wire("mnuSave", &TfrmMain::mnuSaveClick);
    wire("mnuExit", &TfrmMain::mnuExitClick);
    wire("mnuClassicRounding", &TfrmMain::mnuClassicRoundingClick);
    wire("mnuBankRounding", &TfrmMain::mnuBankRoundingClick);
    wire("Help2", &TfrmMain::Help2Click);
    wire("HomePage1", &TfrmMain::HomePage1Click);
    wire("Email1", &TfrmMain::Email1Click);
    wire("About1", &TfrmMain::About1Click);

    registerPdfExportRenderer();
    // A report tool of another process sees the parameters as this window shows them.
    scheduleReport.offerParameters([this] { return reportFieldTexts(); });
}

// The report windows and the printer; engine messages and the question whether to wait
// for another process's report go to message boxes.
ReportServices TfrmMain::windowReportServices()
{
    ReportServices services;
    addPrinterOutput(services, printerDevice);
    addReportWindows(services, printerDevice, ui);
    return services;
}

std::string TfrmMain::exeDir() const { return TApplication::instance().exeDir(); }

std::string TfrmMain::filesDir() const { return userFilesFolder(exeDir()); }

// ---- window ----

void TfrmMain::FormCreate()
{
    schedule.FormCreate();

    txtLoanDate.setDate(today());
    RvProject1.SetProjectFile(exeDir() + "rptQVR1.rav");
    loan.edit = EditState{};
    m_rounding = LastFileMemory(filesDir()).roundingForNewLoans();
    showRoundingChoice();

    // The design's placeholder captions are no results: a load that fails must
    // not leave them showing.
    for (ResultLabel label : {ResultLabel::MonthlyPayment, ResultLabel::TotalInterest, ResultLabel::TotalPayment,
                              ResultLabel::InterestSaved})
        setResultLabel(label, std::string());

    // The whole schedule is written before the window first paints: one repaint.
    TbsGridUpdate const batch(schedule.gridPayment);
    if (!m_fileToOpen.empty()) {
        loadFile(m_fileToOpen);
        return;
    }
    LastFileMemory memory(filesDir());
    if (memory.firstStart()) {
        showExampleLoan();
        return;
    }
    loadFile(memory.startupFile());
}

void TfrmMain::showExampleLoan()
{
    // The example is a new loan: it takes the model chosen for new loans.
    CalculateInput example = exampleLoan();
    example.rounding = m_rounding;
    txtAmount.setText(example.amountText);
    txtRate.setText(example.rateText);
    txtTerm.setText(example.termText);
    txtLoanDate.setDate(example.loanDate);
    loan.calculate(example, *this);
}

// A failed read names the file it could not take, which the runtime's short
// texts ("File not found", "'x' is not a valid date") do not.
void TfrmMain::loadFile(const std::string& path)
{
    try {
        readLoanFile(path, loan, *this);
    } catch (const Exception& error) {
        if (error.message().find(path) != std::string::npos)
            throw;
        throw Exception(error.message() + "\n\n" + path);
    }
}

void TfrmMain::FormShow()
{
    txtAmount.setFocus();
    scheduleReport.setApplicationHandle(handle());
}

void TfrmMain::offerReportData()
{
    scheduleReport.offerToOtherProcesses();
    reportOfferProblem();
}

// Said once, over the window once it is on screen: an object planted under one of the
// shared names keeps other programs from this window's report data, and nothing else.
void TfrmMain::reportOfferProblem()
{
    std::string const problem = scheduleReport.offerError();
    if (problem.empty() || m_offerProblemShown)
        return;
    m_offerProblemShown = true;
    m_offerProblemNotice.setInterval(1);
    m_offerProblemNotice.onTimer = [this, problem] {
        m_offerProblemNotice.setEnabled(false);
        TApplication::instance().showException("Other programs cannot read this window's report data.\r" + problem);
    };
    m_offerProblemNotice.setEnabled(true);
}

void TfrmMain::FormClose(TCloseAction&)
{
    // An extra payment still being typed is part of the loan on screen: it counts
    // as if its cell had been left.
    if (loan.edit.armedRow != 0) {
        loan.checkReamortization(0, 0, *this);
        loan.selectCell(loan.edit.armedCol, loan.edit.armedRow, *this);
    }
    LastFileMemory memory(filesDir());
    // A loan never calculated or loaded (as after a refused start-up load) makes a file
    // that no start can read: an example file already there is worth more.
    if (!loanFileReadable(loan) && fileExists(memory.exampleFile()))
        return;
    if (writeLoanFile(memory.exampleFile(), loan))
        memory.remember(memory.exampleFile());
}

// ---- inputs ----

void TfrmMain::txtAmountKeyPress(char& key)
{
    if (key == chBackspace || std::isdigit(static_cast<unsigned char>(key)))
        return;
    if (key == '.' && txtAmount.text().find('.') == std::string::npos)
        return;
    key = 0;
}

void TfrmMain::txtRateExit()
{
    std::string rate = txtRate.text();
    if (parseRate(rate).errorPosition == 0)
        return;
    ui.messageBox({echoedInput(rate) + "  is not a valid value!", "Info", infoBox});
    txtRate.setFocus();
}

void TfrmMain::txtTermKeyPress(char& key)
{
    if (key == chBackspace || std::isdigit(static_cast<unsigned char>(key)))
        return;
    key = 0;
}

// ---- commands ----

CalculateInput TfrmMain::calculateInput() const
{
    return CalculateInput{txtTerm.text(), txtAmount.text(), txtRate.text(), txtLoanDate.Date(), m_rounding};
}

void TfrmMain::btnCalClick()
{
    // A rate that does not parse is reported by the engine and ends Calculate only.
    loan.calculate(calculateInput(), *this);
}

TfrmMain::~TfrmMain()
{
    // The frame goes after the controls and gives the window its plain border
    // back; a hidden window gets no resize that would reach them.
    setVisible(false);
}

// The menu bar keeps to the top edge across the whole client width.
void TfrmMain::resized() { skinMenubar.setWidth(clientWidth()); }

ReportFieldTexts TfrmMain::reportFieldTexts() const
{
    return {txtAmount.text(), txtRate.text(), txtTerm.text(), lblMonPay.Caption(),
            lblTotalInt.Caption(), lblTotalPay.Caption(), lblSavePay.Caption(), roundingName(loan.record.rounding)};
}

void TfrmMain::btnPrerptClick() { scheduleReport.runReport(RvProject1, reportFieldTexts()); }

void TfrmMain::btnViewChartClick() { pageSchedule.setActivePageIndex(1); }

// The chart takes a loan's points when its page comes up, not when the loan comes in.
void TfrmMain::pageScheduleChange()
{
    chartPage.setShown(pageSchedule.ActivePageIndex() == bsSkinTabSheet2.PageIndex());
}

void TfrmMain::btnDrawChartClick() { chartPage.btnDrawChartClick(loan.table, loan.totals.scheduleMonths); }

void TfrmMain::btnClearChartClick() { chartPage.btnClearChartClick(); }

void TfrmMain::mnuNewClick()
{
    txtAmount.setText("0");
    txtRate.setText("0");
    txtTerm.setText("0");
    txtLoanDate.setDate(today());
    schedule.New();
    btnPrerpt.setEnabled(false);
    btnViewChart.setEnabled(false);
}

void TfrmMain::mnuOpenClick()
{
    if (OpenDialog1.Execute(ui))
        loadFile(OpenDialog1.FileName());
}

void TfrmMain::mnuSaveClick()
{
    if (!SaveDialog1.Execute(ui))
        return;
    if (writeLoanFile(SaveDialog1.FileName(), loan))
        LastFileMemory(filesDir()).remember(SaveDialog1.FileName());
}

void TfrmMain::mnuExitClick() { exitProcess(1); }

void TfrmMain::mnuClassicRoundingClick() { chooseRounding(RoundingModel::Classic); }

void TfrmMain::mnuBankRoundingClick() { chooseRounding(RoundingModel::Bank); }

// The same loan in the other model in one click: Calculate from the fields, then the
// schedule's extra payments typed in again, month by month.
void TfrmMain::chooseRounding(RoundingModel model)
{
    m_rounding = model;
    showRoundingChoice();
    // Kept first: fields that do not calculate must not cost the user the choice.
    LastFileMemory(filesDir()).rememberRounding(model);
    auto const extras = loan.extraPayments();
    if (loan.calculate(calculateInput(), *this) != CalculateOutcome::Done)
        return;
    for (auto const& [month, text] : extras) {
        // An earlier extra payment may have paid the loan off before this month.
        if (month <= loan.totals.scheduleMonths)
            loan.applyExtraPayment(month, text, *this);
    }
}

void TfrmMain::showRoundingChoice()
{
    MainMenu1.find("mnuClassicRounding")->setChecked(m_rounding == RoundingModel::Classic);
    MainMenu1.find("mnuBankRounding")->setChecked(m_rounding == RoundingModel::Bank);
}

void TfrmMain::Help2Click()
{
    // The compiled help viewer is a Windows program; where it cannot run, the
    // help page beside the executable opens in the desktop's browser.
    if (runCommandLine(product::helpCommandLine))
        return;
    ui.shellOpen(exeDir() + product::helpPage);
}

void TfrmMain::HomePage1Click() { ui.shellOpen(product::webSite); }

void TfrmMain::Email1Click()
{
    ui.shellOpen(std::string("Mailto:") + product::contactAddress + "?subject=About Quorvane");
}

void TfrmMain::About1Click()
{
    if (frmAbout)
        frmAbout->showAndRaise();
}

// ---- loan view ----

void TfrmMain::setResultLabel(ResultLabel label, const std::string& text)
{
    switch (label) {
    case ResultLabel::MonthlyPayment: lblMonPay.setCaption(text); break;
    case ResultLabel::TotalInterest: lblTotalInt.setCaption(text); break;
    case ResultLabel::TotalPayment: lblTotalPay.setCaption(text); break;
    case ResultLabel::InterestSaved: lblSavePay.setCaption(text); break;
    }
}

void TfrmMain::redrawChart() { chartPage.redraw(loan.table, loan.totals.scheduleMonths); }

void TfrmMain::showMessage(const std::string& text, const std::string& caption) { ui.messageBox({text, caption, infoBox}); }

} // namespace qv
