#pragma once

#include "report/device/TRvRenderPrinter.h"
#include "report/ui/TRvRenderPreview.h"
#include "runtime/ui/Actions.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/MenuBar.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/ScrollBox.h"
#include "runtime/ui/StdControls.h"
#include "runtime/ui/ToolBar.h"

#include <memory>
#include <string>

namespace qv {

class TRvSystem;
class TRPPrinterDevice;

// Shows a generated snapshot page by page: paging, zooming, printing through the output
// options in print-range mode, saving the snapshot or exporting it, opening another one.
class TRpPreviewForm : public TForm {
    // First: the scroll box below shows its pop-up menu through it.
    const UiServices& m_ui;

public:
    // ui must outlive the window.
    TRpPreviewForm(TRvSystem& system, TRPPrinterDevice& printer, const UiServices& ui);
    ~TRpPreviewForm() override;

    TAction actnFile_Open {"actnFile_Open", "&Open", "Open another report", {'O', ssCtrl}};
    TAction actnFile_Save {"actnFile_Save", "&Save As", "Save report", {'S', ssCtrl}};
    TAction actnFile_Print {"actnFile_Print", "&Print", "Print report", {'P', ssCtrl}};
    TAction actnFile_Exit {"actnFile_Exit", "E&xit", "Exit viewer"};
    TAction actnPage_First {"actnPage_First", "&First", "Move to first page", {VK_HOME, ssCtrl}};
    TAction actnPage_Previous {"actnPage_Previous", "&Previous", "Move to previous page", {VK_PRIOR, ssCtrl}};
    TAction actnPage_Next {"actnPage_Next", "&Next", "Move to next page", {VK_NEXT, ssCtrl}};
    TAction actnPage_Last {"actnPage_Last", "&Last", "Move to last page", {VK_END, ssCtrl}};
    TAction actnPage_GotoPage {"actnPage_GotoPage", "&Go to Page #", "Go to specified page", {'G', ssCtrl}};
    TAction actnZoom_In {"actnZoom_In", "Zoom &In", "Zoom In (+)"};
    TAction actnZoom_Out {"actnZoom_Out", "Zoom &Out", "Zoom Out (-)"};
    TAction actnZoom_PageWidth {"actnZoom_PageWidth", "Fit to Page &Width", "Zoom to fit page width", {'W', ssCtrl}};
    TAction actnZoom_Page {"actnZoom_Page", "Fit to &Page", "Zoom to fit page", {'F', ssCtrl}};
    TAction actnHelp_About {"actnHelp_About", "&About", "Displays about box"};
    TActionList ActionList1;

    TMainMenu MainMenu1;
    TMenuItem PopupMenu1 {"PopupMenu1", ""};
    TMenuBar MenuBar1 {this, MainMenu1};
    TToolBar ToolBar1 {this};
    TLabel PageLabel {&ToolBar1, "Page"};
    TEdit PageEdit {&ToolBar1};
    TLabel PageCountLabel {&ToolBar1, "of"};
    TLabel ZoomLabel {&ToolBar1, "Zoom"};
    TEdit ZoomEdit {&ToolBar1};
    TLabel PercentLabel {&ToolBar1, "%"};
    TScrollBox ScrollBox1 {this, m_ui};
    TStatusBar StatusBar1 {this};
    TFileDialog dlogOpen {TFileDialog::Mode::Open};
    TFileDialog dlogSave {TFileDialog::Mode::Save};

    TRvRenderPreview RvRenderPreview;
    TRvRenderPrinter RvRenderPrinter;

    // The run's preview settings: size and state of the window, and the renderer's.
    void ApplySettings(const TSystemPreview& settings);
    // The snapshot to show, not owned.
    void SetSnapshot(TStream& snapshot);
    // A snapshot file, opened and owned by the window; the caption names it.
    void OpenSnapshot(const std::string& fileName);
    // Shows page 1.
    void Start();
    // Shows the window and waits until it closes: modally, or processing messages.
    void Run(bool modal);
    // Set once the window closed.
    bool Closed() const { return m_closed; }

    // Saves the snapshot: the first filter copies it, a later one exports it through
    // that filter's renderer.
    void SaveSnapshot(const std::string& fileName, int filterIndex);

protected:
    void resized() override;

private:
    void buildMenus();
    void buildToolBar();
    void linkMenuItem(TMenuItem& item, TAction& action);
    void updateActions();
    void RvRenderPreviewPageChange();
    void RvRenderPreviewZoomChange();
    void FormKeyDown(int& key, unsigned shift);
    void FormKeyPress(char& key);
    void PageEditKeyPress(char& key);
    void ZoomEditKeyPress(char& key);
    void applyPageEdit();
    void applyZoomEdit();
    void selectBoxes();
    void scrollVertically(int direction, int step);
    void scrollHorizontally(int direction, int step);

    void actnFile_OpenExecute();
    void actnFile_SaveExecute();
    void actnFile_PrintExecute();
    void actnPage_GotoPageExecute();

    TRvSystem& m_system;
    TRPPrinterDevice& m_printer;
    std::unique_ptr<TStream> m_ownedSnapshot;
    bool m_closed = false;
};

} // namespace qv
