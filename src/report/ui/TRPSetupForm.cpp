#include "report/ui/TRPSetupForm.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/device/TRvRenderPrinter.h"
#include "report/execution/TRvRenderExport.h"
#include "report/execution/TRvSystem.h"
#include "report/ui/ReportWindows.h"
#include "runtime/core/Numbers.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace qv {

namespace {

constexpr const char* snapshotFormat = "Report Snapshot File (NDR)";
constexpr const char* printerFormat = "Native Printer Output (PRN)";

std::optional<int> integerOf(const std::string& text)
{
    std::string t = trim(text, blanksWithLineEnds);
    if (t.empty() || t.size() > 9 || t.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(t);
}

// Our own folder picture for the file name button.
Bitmap folderGlyph()
{
    Bitmap glyph(16, 14);
    Canvas& c = glyph.canvas();
    c.brush.color = clBtnFace;
    c.fillRect({0, 0, 16, 14});
    c.pen.color = 0x00004080;
    c.brush.color = 0x0040C0E0;
    c.polygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 12}, {1, 12}});
    c.brush.color = 0x0080E0F0;
    c.polygon({{3, 7}, {15, 7}, {13, 12}, {1, 12}});
    return glyph;
}

} // namespace

void digitKeyFilter(char& key)
{
    if (key != 8 && !std::strchr("0123456789", key))
        key = 0;
}

void selectionKeyFilter(char& key)
{
    if (key != 8 && !std::strchr("0123456789-,", key))
        key = 0;
}

std::string outputFileName(const std::string& typed, int formatIndex)
{
    std::string name = trim(typed, blanksWithLineEnds);
    if (formatIndex > 1 || name.find('.') != std::string::npos)
        return name;
    return name + (formatIndex == 1 ? ".prn" : ".ndr");
}

TRPSetupForm::TRPSetupForm(TRvSystem& system, TRPPrinterDevice& printer, const UiServices& ui)
    : m_system(system), m_printer(printer), m_ui(ui)
{
    setFont(reportDialogFont());
    setClientSize(295, 242);
    setCaption(system.TitleSetup.empty() ? "Output Options" : system.TitleSetup);

    // The designed layout: each control's left, top, width and height inside its parent.
    const struct {
        TControl* control;
        int left, top, width, height;
    } layout[] = {
        {&bbtnOK, 209, 52, 75, 25},
        {&CancelBB, 209, 84, 75, 25},
        {&SetupBB, 209, 116, 75, 25},
        {&GroupBox1, 8, 3, 281, 36},
        {&PrinterLabel, 10, 15, 250, 13},
        {&GroupBox2, 8, 167, 184, 65},
        {&CopiesLabel, 17, 19, 60, 14},
        {&CopiesED, 18, 35, 49, 22},
        {&CollateCK, 115, 17, 65, 17},
        {&DuplexCK, 115, 40, 65, 17},
        {&PageControl1, 4, 40, 193, 121},
        {&DestPage, 0, 0, 193, 121},
        {&RangePage, 0, 0, 193, 121},
        {&DestGB, 0, 0, 193, 121},
        {&PrinterRB, 8, 16, 113, 17},
        {&PreviewRB, 8, 36, 113, 17},
        {&FileRB, 8, 56, 38, 17},
        {&editFileName, 46, 54, 113, 22},
        {&FileNameSB, 160, 54, 20, 20},
        {&Label1, 8, 82, 37, 13},
        {&cboxFormat, 46, 79, 134, 22},
        {&RangeGB, 0, 0, 193, 121},
        {&AllRB, 8, 16, 113, 17},
        {&SelectionRB, 8, 36, 113, 17},
        {&PagesRB, 8, 56, 113, 17},
        {&FromLabel, 8, 84, 30, 13},
        {&FromED, 40, 80, 41, 21},
        {&ToLabel, 88, 84, 14, 13},
        {&ToED, 104, 80, 57, 21},
        {&SelectionLabel, 8, 84, 46, 13},
        {&SelectionED, 56, 80, 105, 21},
    };
    for (const auto& place : layout)
        place.control->setBounds(place.left, place.top, place.width, place.height);

    bbtnOK.setDefault(true);
    bbtnOK.onClick = [this] {
        if (ApplyOK())
            setModalResult(mrOk);
    };
    CancelBB.setCancel(true);
    CancelBB.modalResult = mrCancel;
    SetupBB.onClick = [this] { SetupBBClick(); };
    FileNameSB.setGlyph(folderGlyph());
    AllRB.setChecked(true);

    PrinterRB.onClick = [this] { PrinterRBClick(); };
    PreviewRB.onClick = [this] { PrinterRBClick(); };
    FileRB.onClick = [this] { FileRBClick(); };
    editFileName.onChange = [this] { editFileNameChange(); };
    FileNameSB.onClick = [this] { FileNameSBClick(); };
    cboxFormat.onChange = [this] { cboxFormatChange(); };
    AllRB.onClick = [this] { AllRBClick(); };
    SelectionRB.onClick = [this] { SelectionRBClick(); };
    PagesRB.onClick = [this] { PagesRBClick(); };
    CopiesED.onKeyPress = digitKeyFilter;
    FromED.onKeyPress = digitKeyFilter;
    ToED.onKeyPress = digitKeyFilter;
    SelectionED.onKeyPress = selectionKeyFilter;

    dlogSave.overwritePrompt = true;

    // Creation state: no page shown, the file and selection choices off.
    for (TControl* c : std::initializer_list<TControl*> {&FromLabel, &FromED, &ToLabel, &ToED})
        c->hide();
    DestPage.hide();
    RangePage.hide();
    for (TControl* c : std::initializer_list<TControl*> {&SelectionLabel, &SelectionED, &editFileName, &FileNameSB})
        c->setEnabled(false);

    fitFormatBox();
    setDialogBorder();
    centerOnScreen();
}

// The designed format box cuts "Report Snapshot File (NDR)": the box, its
// group and the dialog grow until every format shows whole, and the column of
// buttons moves along.
void TRPSetupForm::fitFormatBox()
{
    int needed = std::max(cboxFormat.widthToShow(snapshotFormat), cboxFormat.widthToShow(printerFormat));
    for (const RegisteredExportRenderer& r : exportRenderers())
        needed = std::max(needed, cboxFormat.widthToShow(r.displayName));
    int const extra = needed - cboxFormat.width();
    if (extra <= 0)
        return;
    setClientSize(clientWidth() + extra, clientHeight());
    for (TControl* c : std::initializer_list<TControl*>{&PageControl1, &DestPage, &RangePage, &DestGB, &RangeGB,
                                                        &GroupBox1, &PrinterLabel, &cboxFormat, &editFileName})
        c->setWidth(c->width() + extra);
    for (TControl* c : std::initializer_list<TControl*>{&bbtnOK, &CancelBB, &SetupBB, &FileNameSB})
        c->setLeft(c->left() + extra);
}

void TRPSetupForm::SetPrintRange(TRvRenderPrinter& render, int pageCount)
{
    m_render = &render;
    m_pageCount = pageCount;
}

bool TRPSetupForm::validPrinter() { return !m_printer.InvalidPrinter(); }

void TRPSetupForm::showPage(TPanel& page)
{
    DestPage.setVisible(&page == &DestPage);
    RangePage.setVisible(&page == &RangePage);
}

void TRPSetupForm::updatePrinterLabel()
{
    if (m_printer.Printers().empty()) {
        PrinterLabel.setCaption(noPrinterText(m_printer, NoPrinterDetail::Headline).shown());
        return;
    }
    m_printer.Refresh();
    std::string port = m_printer.Port();
    PrinterLabel.setCaption(port.empty() ? m_printer.Device() : m_printer.Device() + " on " + port);
}

void TRPSetupForm::Prepare()
{
    cboxFormat.clearItems();
    cboxFormat.addItem(snapshotFormat);
    cboxFormat.addItem(printerFormat);
    dlogSave.filter = std::string(snapshotFormat) + "|*.NDR|" + printerFormat + "|*.PRN";
    for (const RegisteredExportRenderer& r : exportRenderers()) {
        cboxFormat.addItem(r.displayName);
        dlogSave.filter += "|" + r.displayName + "|*" + r.fileExtension;
    }
    updatePrinterLabel();

    bool const printer = validPrinter();
    std::uint32_t const setups = m_system.SystemSetups;
    if (PrintRangeMode()) {
        showPage(RangePage);
        FromED.setText("1");
        ToED.setText(std::to_string(m_pageCount));
        SelectionED.setText("1-" + std::to_string(m_pageCount));
    } else {
        showPage(DestPage);
        if (cboxFormat.itemIndex() < 0)
            cboxFormat.setItemIndex(0);
        if (!printer) {
            PrinterRB.setEnabled(false);
            FileRB.setEnabled(false);
            if (setups & ssAllowDestPreview)
                PreviewRB.setChecked(true);
            else
                PreviewRB.setEnabled(false);
        } else {
            PrinterRB.setEnabled(setups & ssAllowDestPrinter);
            PreviewRB.setEnabled(setups & ssAllowDestPreview);
            FileRB.setEnabled(setups & ssAllowDestFile);
            switch (m_system.DefaultDest) {
            case TReportDest::rdPreview: selectDestination(PreviewRB); break;
            case TReportDest::rdPrinter: selectDestination(PrinterRB); break;
            case TReportDest::rdFile: selectDestination(FileRB); break;
            }
        }
        // The file controls follow the checked destination.
        if (FileRB.checked())
            FileRBClick();
        else
            cboxFormat.setEnabled(false);
    }

    if (!printer) {
        for (TControl* c : std::initializer_list<TControl*> {&CollateCK, &CopiesED, &CopiesLabel, &DuplexCK, &SetupBB})
            c->setEnabled(false);
    } else {
        // Only disables: the destination chosen above has set what the printer offers.
        if (!(setups & ssAllowCollate))
            CollateCK.setEnabled(false);
        if (!(setups & ssAllowCopies)) {
            CopiesED.setEnabled(false);
            CopiesLabel.setEnabled(false);
        }
        if (!(setups & ssAllowDuplex))
            DuplexCK.setEnabled(false);
        if (!(setups & ssAllowPrinterSetup))
            SetupBB.setEnabled(false);
    }
    CopiesED.setText(std::to_string(m_system.SystemPrinter.Copies));
    CollateCK.setChecked(false);
    DuplexCK.setChecked(false);
}

void TRPSetupForm::selectDestination(TRadioButton& button)
{
    button.setChecked(true);
    if (&button == &FileRB)
        FileRBClick();
    else
        PrinterRBClick();
}

void TRPSetupForm::PrinterRBClick()
{
    editFileName.setEnabled(false);
    FileNameSB.setEnabled(false);
    cboxFormat.setEnabled(false);
    bbtnOK.setEnabled(true);
    bool const printer = PrinterRB.checked() && validPrinter();
    SetupBB.setEnabled(validPrinter() && (m_system.SystemSetups & ssAllowPrinterSetup));
    CopiesED.setEnabled(printer && (m_system.SystemSetups & ssAllowCopies));
    CollateCK.setEnabled(printer && (m_system.SystemSetups & ssAllowCollate));
    DuplexCK.setEnabled(printer && (m_system.SystemSetups & ssAllowDuplex));
}

void TRPSetupForm::FileRBClick()
{
    editFileName.setEnabled(true);
    FileNameSB.setEnabled(true);
    cboxFormat.setEnabled(true);
    SetupBB.setEnabled(false);
    editFileNameChange();
}

void TRPSetupForm::editFileNameChange()
{
    if (FileRB.checked())
        bbtnOK.setEnabled(!trim(editFileName.text(), blanksWithLineEnds).empty());
}

void TRPSetupForm::FileNameSBClick()
{
    dlogSave.fileName = editFileName.text();
    if (!dlogSave.execute(m_ui))
        return;
    editFileName.setText(dlogSave.fileName);
    if (dlogSave.filterIndex - 1 < cboxFormat.itemCount())
        cboxFormat.setItemIndex(dlogSave.filterIndex - 1);
}

void TRPSetupForm::cboxFormatChange() { dlogSave.filterIndex = cboxFormat.itemIndex() + 1; }

void TRPSetupForm::SetupBBClick()
{
    m_printer.PrinterSetup();
    updatePrinterLabel();
}

void TRPSetupForm::AllRBClick()
{
    for (TControl* c : std::initializer_list<TControl*> {&SelectionLabel, &SelectionED, &FromLabel, &FromED, &ToLabel, &ToED})
        c->setEnabled(false);
}

void TRPSetupForm::SelectionRBClick()
{
    if (!SelectionRB.checked())
        return;
    for (TControl* c : std::initializer_list<TControl*> {&FromLabel, &FromED, &ToLabel, &ToED})
        c->hide();
    for (TControl* c : std::initializer_list<TControl*> {&SelectionLabel, &SelectionED}) {
        c->show();
        c->setEnabled(true);
    }
}

void TRPSetupForm::PagesRBClick()
{
    if (!PagesRB.checked())
        return;
    SelectionLabel.hide();
    SelectionED.hide();
    for (TControl* c : std::initializer_list<TControl*> {&FromLabel, &FromED, &ToLabel, &ToED}) {
        c->show();
        c->setEnabled(true);
    }
}

void TRPSetupForm::applyDestination()
{
    if (PrinterRB.checked()) {
        m_system.ReportDest = TReportDest::rdPrinter;
        m_system.OutputFileName.clear();
        return;
    }
    if (!FileRB.checked()) {
        m_system.ReportDest = TReportDest::rdPreview;
        m_system.OutputFileName.clear();
        return;
    }
    int const format = std::max(0, cboxFormat.itemIndex());
    m_system.ReportDest = TReportDest::rdFile;
    m_system.OutputFileName = outputFileName(editFileName.text(), format);
    m_system.NativeOutput = format == 1;
    m_system.ExportRenderer = format > 1 ? cboxFormat.item(format) : std::string();
}

// Copies, collate and duplex reach the system's printer settings and the printer.
void TRPSetupForm::applyOptions()
{
    std::uint32_t const setups = m_system.SystemSetups;
    std::optional<int> const copies = integerOf(CopiesED.text());
    if ((setups & ssAllowCopies) && copies)
        m_system.SystemPrinter.Copies = *copies;
    if (setups & ssAllowCollate)
        m_system.SystemPrinter.Collate = CollateCK.checked();
    if ((setups & ssAllowDuplex) && validPrinter()) {
        PrinterSettings settings = m_printer.Settings();
        if (!DuplexCK.checked())
            settings.duplex = PrinterSettings::simplex;
        else if (settings.duplex == PrinterSettings::simplex)
            settings.duplex = PrinterSettings::longEdge;
        if (!(settings == m_printer.Settings()))
            m_printer.SetSettings(settings);
    }
    if (!m_render)
        return;
    if ((setups & ssAllowCopies) && copies)
        m_render->Copies = *copies;
    if (setups & ssAllowCollate)
        m_render->Collate = CollateCK.checked();
    if (setups & ssAllowDuplex)
        m_render->Duplex = DuplexCK.checked();
}

bool TRPSetupForm::ApplyOK()
{
    if (PrintRangeMode()) {
        int first = 1;
        int last = 9999;
        std::string selection;
        if (SelectionRB.checked()) {
            selection = SelectionED.text();
        } else if (PagesRB.checked()) {
            // Texts that are no numbers raise the integer parser's conversion error.
            first = parseInteger(FromED.text());
            last = parseInteger(ToED.text());
        }
        m_render->FirstPage = first;
        m_render->LastPage = last;
        m_render->Selection = selection;
    } else {
        applyDestination();
    }
    applyOptions();
    return true;
}

bool TRPSetupForm::Run()
{
    Prepare();
    return showModal() == mrOk;
}

} // namespace qv
