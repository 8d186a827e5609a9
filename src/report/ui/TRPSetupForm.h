#pragma once

#include "runtime/ui/Dialogs.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/StdControls.h"
#include "runtime/ui/UiServices.h"

#include <string>

namespace qv {

class TRvSystem;
class TRvRenderPrinter;
class TRPPrinterDevice;

// The output options of a run (destination, format, copies, collate, duplex) or, in
// print-range mode, the pages the preview prints.
class TRPSetupForm : public TForm {
public:
    // ui must outlive the window.
    TRPSetupForm(TRvSystem& system, TRPPrinterDevice& printer, const UiServices& ui);

    TButton bbtnOK {this, "   OK   "};
    TButton CancelBB {this, "Cancel"};
    TButton SetupBB {this, "&Setup"};
    TGroupBox GroupBox1 {this, "Selected Printer"};
    TLabel PrinterLabel {&GroupBox1, "(none)"};
    TGroupBox GroupBox2 {this, "Options"};
    TLabel CopiesLabel {&GroupBox2, "&Copies"};
    TEdit CopiesED {&GroupBox2};
    TCheckBox CollateCK {&GroupBox2, "C&ollate"};
    TCheckBox DuplexCK {&GroupBox2, "&Duplex"};
    TPanel PageControl1 {this};
    TPanel DestPage {&PageControl1};
    TGroupBox DestGB {&DestPage, "Report Destination"};
    TRadioButton PrinterRB {&DestGB, "&Printer"};
    TRadioButton PreviewRB {&DestGB, "Pre&view"};
    TRadioButton FileRB {&DestGB, "&File"};
    TEdit editFileName {&DestGB};
    TButton FileNameSB {&DestGB};
    TLabel Label1 {&DestGB, "Format:"};
    TComboBox cboxFormat {&DestGB};
    TPanel RangePage {&PageControl1};
    TGroupBox RangeGB {&RangePage, "Print Range"};
    TRadioButton AllRB {&RangeGB, "All"};
    TRadioButton SelectionRB {&RangeGB, "Selection"};
    TRadioButton PagesRB {&RangeGB, "Pages"};
    TLabel FromLabel {&RangeGB, "From"};
    TEdit FromED {&RangeGB};
    TLabel ToLabel {&RangeGB, "to"};
    TEdit ToED {&RangeGB};
    TLabel SelectionLabel {&RangeGB, "Selection"};
    TEdit SelectionED {&RangeGB};
    TFileDialog dlogSave {TFileDialog::Mode::Save};

    // Print-range mode: the renderer the dialog configures and the snapshot's page count.
    void SetPrintRange(TRvRenderPrinter& render, int pageCount);
    bool PrintRangeMode() const { return m_render != nullptr; }

    // Fills and arranges the controls as the dialog opens (showModal runs it too).
    void Prepare();
    // Stores the choices as OK does; false when a choice cannot be used (OK stays open).
    bool ApplyOK();
    // Shows the dialog modally; true for OK with the choices stored.
    bool Run();

private:
    void fitFormatBox();
    void updatePrinterLabel();
    void selectDestination(TRadioButton& button);
    void PrinterRBClick();
    void FileRBClick();
    void editFileNameChange();
    void FileNameSBClick();
    void cboxFormatChange();
    void SetupBBClick();
    void AllRBClick();
    void SelectionRBClick();
    void PagesRBClick();
    void applyDestination();
    void applyOptions();
    void showPage(TPanel& page);
    bool validPrinter();

    TRvSystem& m_system;
    TRPPrinterDevice& m_printer;
    const UiServices& m_ui;
    TRvRenderPrinter* m_render = nullptr;
    int m_pageCount = 0;
};

// Only digits and backspace pass (copies and page numbers).
void digitKeyFilter(char& key);
// Digits, "-", "," and backspace pass (a page selection).
void selectionKeyFilter(char& key);
// The output file name of a file destination with the snapshot (0) or printer (1) format:
// the trimmed name, with ".ndr" or ".prn" appended when it holds no ".".
std::string outputFileName(const std::string& typed, int formatIndex);

} // namespace qv
