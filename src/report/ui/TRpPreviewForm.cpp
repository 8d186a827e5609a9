#include "report/ui/TRpPreviewForm.h"

#include "report/device/TRPPrinterDevice.h"
#include "report/execution/TRvRenderExport.h"
#include "report/execution/TRvSystem.h"
#include "report/snapshot/EReportPrinter.h"
#include "report/ui/PreviewGlyphs.h"
#include "report/ui/ReportWindows.h"
#include "report/ui/TRPSetupForm.h"
#include "runtime/core/TextFile.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/InputBox.h"
#include "runtime/ui/Screen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace qv {

namespace {

constexpr int toolBarHeight = 25;
constexpr int statusBarHeight = 19;
constexpr const char* snapshotFilter = "Report Snapshot Files (*.ndr)|*.ndr";
// Ctrl+A and Ctrl+C as typed characters: selecting and copying put nothing into a box.
constexpr char selectAllChar = 1;
constexpr char copyChar = 3;

Font previewFont()
{
    Font font;
    font.name = "Arial";
    font.height = 13;
    return font;
}

std::optional<int> pageNumberOf(const std::string& text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::atoi(text.c_str());
}

std::optional<double> zoomOf(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    double const value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size())
        return std::nullopt;
    return value;
}

std::string zoomText(double zoom)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", zoom);
    return text;
}

// Saving and printing read the snapshot from its start; the pages shown read on from
// where they were.
class KeepReadPosition {
public:
    explicit KeepReadPosition(TStream& stream) : m_stream(stream), m_position(stream.position()) {}
    ~KeepReadPosition() { m_stream.seek(m_position); }
    KeepReadPosition(const KeepReadPosition&) = delete;
    KeepReadPosition& operator=(const KeepReadPosition&) = delete;

private:
    TStream& m_stream;
    int64_t m_position;
};

TWindowState windowStateOf(TFormState state)
{
    switch (state) {
    case TFormState::wsMinimized: return TWindowState::wsMinimized;
    case TFormState::wsMaximized: return TWindowState::wsMaximized;
    case TFormState::wsNormal: break;
    }
    return TWindowState::wsNormal;
}

} // namespace

TRpPreviewForm::TRpPreviewForm(TRvSystem& system, TRPPrinterDevice& printer, const UiServices& ui)
    : m_ui(ui), RvRenderPrinter(printer), m_system(system), m_printer(printer)
{
    setFont(previewFont());
    setCaption(system.TitlePreview.empty() ? "Report Preview" : system.TitlePreview);
    setKeyPreview(true);
    onKeyDown = [this](int& key, unsigned shift) { FormKeyDown(key, shift); };
    onKeyPress = [this](char& key) { FormKeyPress(key); };
    onClose = [this](TCloseAction&) { m_closed = true; };

    for (TAction* action : {&actnFile_Open, &actnFile_Save, &actnFile_Print, &actnFile_Exit, &actnPage_First,
             &actnPage_Previous, &actnPage_Next, &actnPage_Last, &actnPage_GotoPage, &actnZoom_In, &actnZoom_Out,
             &actnZoom_PageWidth, &actnZoom_Page, &actnHelp_About})
        ActionList1.add(*action);
    actnFile_Open.onExecute = [this] { actnFile_OpenExecute(); };
    actnFile_Save.onExecute = [this] { actnFile_SaveExecute(); };
    actnFile_Print.onExecute = [this] { actnFile_PrintExecute(); };
    actnFile_Exit.onExecute = [this] { close(); };
    actnPage_First.onExecute = [this] { RvRenderPreview.PrintPage(1); };
    actnPage_Previous.onExecute = [this] { RvRenderPreview.PrevPage(); };
    actnPage_Next.onExecute = [this] { RvRenderPreview.NextPage(); };
    actnPage_Last.onExecute = [this] { RvRenderPreview.PrintPage(RvRenderPreview.Pages()); };
    actnPage_GotoPage.onExecute = [this] { actnPage_GotoPageExecute(); };
    actnZoom_In.onExecute = [this] { RvRenderPreview.ZoomIn(); };
    actnZoom_Out.onExecute = [this] { RvRenderPreview.ZoomOut(); };
    actnZoom_PageWidth.onExecute = [this] { RvRenderPreview.SetZoomFactor(-2); };
    actnZoom_Page.onExecute = [this] { RvRenderPreview.SetZoomFactor(-1); };
    actnHelp_About.onExecute = [] {};

    buildMenus();
    buildToolBar();
    StatusBar1.setFont(previewFont());
    ScrollBox1.setPopupMenu(&PopupMenu1);

    dlogOpen.title = "Open File";
    dlogOpen.filter = std::string(snapshotFilter) + "|All Files|*.*";
    dlogSave.title = "Save File";
    dlogSave.filter = snapshotFilter;
    dlogSave.overwritePrompt = true;

    // The window's own start; a run's settings replace these.
    RvRenderPreview.ScrollBox = &ScrollBox1;
    RvRenderPreview.OnPageChange = [this](TRvRenderPreview&) { RvRenderPreviewPageChange(); };
    RvRenderPreview.OnZoomChange = [this](TRvRenderPreview&) { RvRenderPreviewZoomChange(); };
    RvRenderPreview.SetShadowDepth(2);
    RvRenderPreview.MarginPercent = 5;
    RvRenderPreview.SetZoomFactor(100);

    setClientSize(615, 450);
    resized();
    setWindowState(*this, TWindowState::wsMaximized);
    updateActions();
}

TRpPreviewForm::~TRpPreviewForm() = default;

void TRpPreviewForm::linkMenuItem(TMenuItem& item, TAction& action)
{
    item.setShortCut(shortCutText(action.shortCut()));
    item.onClick = [&action] { action.execute(); };
    item.setEnabled(action.enabled());
    action.addClient([&item, &action] { item.setEnabled(action.enabled()); });
}

void TRpPreviewForm::buildMenus()
{
    TMenuItem& items = MainMenu1.items();
    auto add = [this](TMenuItem& menu, TAction& action) { linkMenuItem(menu.add(action.name(), action.caption()), action); };
    // Each menu's actions in order; a null action is a separator line.
    const struct {
        const char* name;
        const char* caption;
        std::vector<TAction*> actions;
    } menus[] = {
        {"File1", "&File", {&actnFile_Open, &actnFile_Save, &actnFile_Print, nullptr, &actnFile_Exit}},
        {"Page1", "&Page", {&actnPage_First, &actnPage_Previous, &actnPage_Next, &actnPage_Last, nullptr, &actnPage_GotoPage}},
        {"Zoom1", "&Zoom", {&actnZoom_In, &actnZoom_Out, nullptr, &actnZoom_Page, &actnZoom_PageWidth}},
    };
    int separators = 0;
    for (const auto& entry : menus) {
        TMenuItem& menu = items.add(entry.name, entry.caption);
        for (TAction* action : entry.actions) {
            if (action)
                add(menu, *action);
            else
                menu.add("N" + std::to_string(++separators), "-");
        }
    }
    MenuBar1.rebuild();

    add(PopupMenu1, actnZoom_In);
    add(PopupMenu1, actnZoom_Out);
}

void TRpPreviewForm::buildToolBar()
{
    auto addLabel = [this](TLabel& l) {
        l.setFont(previewFont());
        l.setBounds(0, 0, l.textWidth() + 8, 16);
        l.setAlignment(TLabel::Alignment::Center);
        ToolBar1.addControl(l);
    };
    // A box to type into, between labels that say what it holds.
    auto addEditGroup = [this, &addLabel](TLabel& before, TEdit& edit, int width, TLabel& after) {
        addLabel(before);
        edit.setFont(previewFont());
        edit.setBounds(0, 0, width, 21);
        ToolBar1.addControl(edit);
        addLabel(after);
    };
    ToolBar1.addButton(actnFile_Open, previewGlyph(PreviewGlyph::Open));
    ToolBar1.addButton(actnFile_Save, previewGlyph(PreviewGlyph::Save));
    ToolBar1.addButton(actnFile_Print, previewGlyph(PreviewGlyph::Print));
    ToolBar1.addSeparator();
    ToolBar1.addButton(actnPage_First, previewGlyph(PreviewGlyph::First));
    ToolBar1.addButton(actnPage_Previous, previewGlyph(PreviewGlyph::Previous));
    ToolBar1.addButton(actnPage_Next, previewGlyph(PreviewGlyph::Next));
    ToolBar1.addButton(actnPage_Last, previewGlyph(PreviewGlyph::Last));
    PageEdit.onKeyPress = [this](char& key) { PageEditKeyPress(key); };
    PageEdit.onExit = [this] { applyPageEdit(); };
    addEditGroup(PageLabel, PageEdit, 49, PageCountLabel);
    ToolBar1.addSeparator();
    ToolBar1.addButton(actnZoom_In, previewGlyph(PreviewGlyph::ZoomIn));
    ToolBar1.addButton(actnZoom_Out, previewGlyph(PreviewGlyph::ZoomOut));
    ToolBar1.addButton(actnZoom_PageWidth, previewGlyph(PreviewGlyph::PageWidth));
    ToolBar1.addButton(actnZoom_Page, previewGlyph(PreviewGlyph::Page));
    ZoomEdit.setText("100.0");
    ZoomEdit.onKeyPress = [this](char& key) { ZoomEditKeyPress(key); };
    ZoomEdit.onExit = [this] { applyZoomEdit(); };
    addEditGroup(ZoomLabel, ZoomEdit, 40, PercentLabel);
    ToolBar1.addSeparator();
    ToolBar1.addButton(actnFile_Exit, previewGlyph(PreviewGlyph::Exit));
}

void TRpPreviewForm::resized()
{
    int const menuHeight = MenuBar1.preferredHeight();
    MenuBar1.setBounds(0, 0, clientWidth(), menuHeight);
    ToolBar1.setBounds(0, menuHeight, clientWidth(), toolBarHeight);
    int const top = menuHeight + toolBarHeight;
    StatusBar1.setBounds(0, clientHeight() - statusBarHeight, clientWidth(), statusBarHeight);
    ScrollBox1.setBounds(0, top, clientWidth(), std::max(0, clientHeight() - statusBarHeight - top));
}

void TRpPreviewForm::ApplySettings(const TSystemPreview& settings)
{
    // The size is the normal one; a maximised or minimised state applies over it.
    setWindowState(*this, TWindowState::wsNormal);
    setClientSize(settings.FormWidth, settings.FormHeight);
    resized();
    centerOnScreen();
    if (settings.FormState != TFormState::wsNormal)
        setWindowState(*this, windowStateOf(settings.FormState));
    RvRenderPreview.GridPen = settings.GridPen;
    RvRenderPreview.GridHoriz = settings.GridHoriz;
    RvRenderPreview.GridVert = settings.GridVert;
    RvRenderPreview.MarginMethod = settings.MarginMethod;
    RvRenderPreview.MarginPercent = settings.MarginPercent;
    RvRenderPreview.SetShadowDepth(settings.ShadowDepth());
    RvRenderPreview.SetMonochrome(settings.Monochrome());
    RvRenderPreview.PageInc = settings.PageInc;
    RvRenderPreview.RulerType = settings.RulerType;
    RvRenderPreview.ZoomInc = settings.ZoomInc;
    RvRenderPreview.SetZoomFactor(settings.ZoomFactor());
}

void TRpPreviewForm::SetSnapshot(TStream& snapshot)
{
    RvRenderPreview.SetStream(snapshot);
    updateActions();
}

void TRpPreviewForm::OpenSnapshot(const std::string& fileName)
{
    auto stream = std::make_unique<TFileStream>(fileName, TFileStream::Mode::OpenRead);
    // A file that is no snapshot fails here and the one shown stays.
    RvRenderPreview.SetStream(*stream);
    m_ownedSnapshot = std::move(stream);
    std::string const title = TApplication::exists() ? TApplication::instance().title() : std::string("Quorvane");
    setCaption(title + " - [ " + fileName + " ]");
    Start();
}

void TRpPreviewForm::Start() { RvRenderPreview.PrintPage(1); }

void TRpPreviewForm::Run(bool modal)
{
    m_closed = false;
    onShow = [this] { ScrollBox1.setFocus(); };
    if (modal)
        showModal();
    else
        showAndWait(*this);
    m_closed = true;
}

void TRpPreviewForm::updateActions()
{
    int const page = RvRenderPreview.CurrentPage();
    int const pages = RvRenderPreview.Pages();
    actnPage_First.setEnabled(page > 1);
    actnPage_Previous.setEnabled(page > 1);
    actnPage_Next.setEnabled(page < pages);
    actnPage_Last.setEnabled(page < pages);
    bool const snapshot = RvRenderPreview.Stream() != nullptr;
    actnFile_Save.setEnabled(snapshot);
    actnFile_Print.setEnabled(snapshot && (m_system.SystemOptions & soAllowPrintFromPreview));
}

void TRpPreviewForm::RvRenderPreviewPageChange()
{
    std::string const page = std::to_string(RvRenderPreview.CurrentPage());
    std::string const pages = std::to_string(RvRenderPreview.Pages());
    PageEdit.setText(page);
    PageCountLabel.setCaption("of " + pages);
    PageCountLabel.setWidth(PageCountLabel.textWidth() + 8);
    ToolBar1.arrange();
    StatusBar1.setSimpleText("Page " + page + " of " + pages);
    updateActions();
}

void TRpPreviewForm::RvRenderPreviewZoomChange() { ZoomEdit.setText(zoomText(RvRenderPreview.ZoomFactor())); }

void TRpPreviewForm::selectBoxes()
{
    PageEdit.selectAll();
    ZoomEdit.selectAll();
}

void TRpPreviewForm::scrollVertically(int direction, int step)
{
    ScrollBox1.setVertPosition(ScrollBox1.vertPosition() + direction * step);
}

void TRpPreviewForm::scrollHorizontally(int direction, int step)
{
    ScrollBox1.setHorzPosition(ScrollBox1.horzPosition() + direction * step);
}

void TRpPreviewForm::FormKeyDown(int& key, unsigned shift)
{
    if (ActionList1.isShortCut(key, shift)) {
        key = 0;
        return;
    }
    bool const ctrlShift = (shift & ssCtrl) && (shift & ssShift);
    switch (key) {
    case VK_ESCAPE: close(); break;
    case 'X':
        if (shift & (ssCtrl | ssAlt))
            return;
        close();
        break;
    case VK_PRIOR: scrollVertically(-1, ScrollBox1.viewHeight()); break;
    case VK_NEXT: scrollVertically(1, ScrollBox1.viewHeight()); break;
    case VK_HOME: ScrollBox1.setVertPosition(0); break;
    case VK_END: ScrollBox1.setVertPosition(ScrollBox1.vertRange()); break;
    case VK_UP:
        // At the top the previous page shows from its bottom.
        if (ScrollBox1.vertPosition() > 0)
            scrollVertically(-1, ScrollBox1.increment());
        else if (RvRenderPreview.PrevPage())
            ScrollBox1.setVertPosition(ScrollBox1.vertRange());
        break;
    case VK_DOWN:
        if (ScrollBox1.vertPosition() < ScrollBox1.vertRange())
            scrollVertically(1, ScrollBox1.increment());
        else
            RvRenderPreview.NextPage();
        break;
    case VK_LEFT: scrollHorizontally(-1, ctrlShift ? ScrollBox1.viewWidth() : ScrollBox1.increment()); break;
    case VK_RIGHT: scrollHorizontally(1, ctrlShift ? ScrollBox1.viewWidth() : ScrollBox1.increment()); break;
    default: return;
    }
    key = 0;
}

void TRpPreviewForm::FormKeyPress(char& key)
{
    switch (key) {
    case '+': RvRenderPreview.ZoomIn(); break;
    case '-': RvRenderPreview.ZoomOut(); break;
    case 'b':
    case 'B': RvRenderPreview.PrintPage(1); break;
    case 'e':
    case 'E': RvRenderPreview.PrintPage(RvRenderPreview.Pages()); break;
    case 'f':
    case 'F': RvRenderPreview.SetZoomFactor(-1); break;
    case 'n':
    case 'N': RvRenderPreview.NextPage(); break;
    case 'p':
    case 'P': RvRenderPreview.PrevPage(); break;
    case 'w':
    case 'W': RvRenderPreview.SetZoomFactor(-2); break;
    default:
        // Digits and "." reach the page and zoom boxes; so do Enter and backspace.
        if (key == chEnter || key == chBackspace || key == selectAllChar || key == copyChar
            || (key != 0 && std::strchr("0123456789.", key)))
            return;
        key = 0;
        return;
    }
    key = 0;
    selectBoxes();
}

void TRpPreviewForm::PageEditKeyPress(char& key)
{
    if (key == '.') {
        key = 0;
    } else if (key == chEnter) {
        key = 0;
        applyPageEdit();
    }
}

void TRpPreviewForm::ZoomEditKeyPress(char& key)
{
    if (key == chEnter) {
        key = 0;
        applyZoomEdit();
        return;
    }
    if (key < '0' || key > '9' || ZoomEdit.selLength() > 0)
        return;
    // One decimal at most.
    std::string const text = ZoomEdit.text();
    std::size_t const dot = text.find('.');
    if (dot != std::string::npos && dot + 1 < text.size())
        key = 0;
}

void TRpPreviewForm::applyPageEdit()
{
    std::optional<int> const page = pageNumberOf(PageEdit.text());
    if (page && *page != RvRenderPreview.CurrentPage())
        RvRenderPreview.PrintPage(*page);
}

void TRpPreviewForm::applyZoomEdit()
{
    std::optional<double> const zoom = zoomOf(ZoomEdit.text());
    if (zoom && *zoom != RvRenderPreview.ZoomFactor())
        RvRenderPreview.SetZoomFactor(*zoom);
}

void TRpPreviewForm::actnPage_GotoPageExecute()
{
    std::string text = std::to_string(RvRenderPreview.CurrentPage());
    if (!inputQuery("Go to Page", "Enter page to move to:", text))
        return;
    std::optional<int> const page = pageNumberOf(text);
    if (page && *page != RvRenderPreview.CurrentPage())
        RvRenderPreview.PrintPage(*page);
}

void TRpPreviewForm::actnFile_OpenExecute()
{
    if (!dlogOpen.execute(m_ui))
        return;
    OpenSnapshot(dlogOpen.fileName);
}

void TRpPreviewForm::actnFile_SaveExecute()
{
    dlogSave.filter = snapshotFilter;
    for (const RegisteredExportRenderer& renderer : exportRenderers())
        dlogSave.filter += "|" + renderer.displayName + "|*" + renderer.fileExtension;
    if (!dlogSave.execute(m_ui))
        return;
    SaveSnapshot(dlogSave.fileName, dlogSave.filterIndex);
}

void TRpPreviewForm::SaveSnapshot(const std::string& fileName, int filterIndex)
{
    TStream* snapshot = RvRenderPreview.Stream();
    if (!snapshot)
        return;
    TBusyCursor busy;
    KeepReadPosition keep(*snapshot);
    auto const& renderers = exportRenderers();
    if (filterIndex > 1 && filterIndex - 2 < static_cast<int>(renderers.size())) {
        renderers[static_cast<std::size_t>(filterIndex - 2)].create()->PrintRender(*snapshot, fileName);
        return;
    }
    std::string bytes(static_cast<std::size_t>(snapshot->size()), '\0');
    snapshot->seek(0);
    if (snapshot->read(bytes.data(), bytes.size()) != bytes.size())
        throw EReportPrinter("The report could not be read back to be saved.");
    replaceFileAtomically(fileName, bytes);
}

void TRpPreviewForm::actnFile_PrintExecute()
{
    TStream* snapshot = RvRenderPreview.Stream();
    if (!snapshot || !(m_system.SystemOptions & soAllowPrintFromPreview))
        return;
    if (m_printer.InvalidPrinter())
        throw EReportPrinter(noPrinterText(m_printer));
    RvRenderPrinter.FirstPage = 1;
    RvRenderPrinter.LastPage = 9999;
    RvRenderPrinter.Selection.clear();
    RvRenderPrinter.Copies = m_system.SystemPrinter.Copies;
    RvRenderPrinter.Collate = m_system.SystemPrinter.Collate;
    if (m_system.SystemSetups & ssAllowPreviewSetup) {
        TRPSetupForm setup(m_system, m_printer, m_ui);
        setup.SetPrintRange(RvRenderPrinter, RvRenderPreview.Pages());
        if (!showSetupWindow(setup))
            return;
    }
    TBusyCursor busy;
    KeepReadPosition keep(*snapshot);
    RvRenderPrinter.PrintRender(*snapshot);
}

} // namespace qv
