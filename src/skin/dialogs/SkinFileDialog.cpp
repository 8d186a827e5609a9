#include "skin/dialogs/SkinFileDialog.h"

#include "runtime/core/UserFiles.h"
#include "runtime/shell/ShellFolders.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Dialogs.h"
#include "skin/dialogs/DialogGlyphs.h"
#include "skin/dialogs/DialogTexts.h"

#include <algorithm>
#include <cctype>

namespace qv {

namespace {

constexpr int toolBarHeight = 25;
constexpr int bottomHeight = 80;
constexpr int barThickness = 19;
constexpr int toolButtonWidth = 27;
constexpr int viewButtonWidth = 37;
constexpr int spacer = 10;

} // namespace

// ---- window ----

TbsSkinFileDialogForm::TbsSkinFileDialogForm(TbsFileDialogMode mode, TbsSkinData* ctrlSkinData, UiServices services)
    : ui(std::move(services)), m_mode(mode), m_ctrlSkin(ctrlSkinData)
{
    setName("bsSkinFileDialog");
    setKeyPreview(true);
    setColor(clBtnFace);

    lookInLabel.setCaption(text("FLV_LOOKIN", "Look in: "));
    backButton.setGlyph(dialogGlyph("BS_BACK"));
    backButton.setHint(text("MSG_BTN_BACK_HINT", "Go To Last Folder Visited"));
    upButton.setGlyph(dialogGlyph("BS_UP"));
    upButton.setHint(text("MSG_BTN_UP_HINT", "Up One Level"));
    newFolderButton.setGlyph(dialogGlyph("BS_NEWFOLDER"));
    newFolderButton.setHint(text("MSG_BTN_NEWFOLDER_HINT", "Create New Folder"));
    viewMenuButton.setGlyph(dialogGlyph("BS_LVSTYLE"));
    viewMenuButton.setHint(text("MSG_BTN_VIEWMENU_HINT", "View Menu"));
    // A tool bar shows its buttons' frames only under the mouse.
    for (TbsSkinSpeedButton* b : {&backButton, &upButton, &newFolderButton,
                                  static_cast<TbsSkinSpeedButton*>(&viewMenuButton)})
        b->setFlat(true);
    TMenuItem& views = viewMenuButton.menuItems();
    views.add("bsLVIcon", text("MSG_LV_ICON", "Large icons"));
    views.add("bsLVSmallIcon", text("MSG_LV_SMALLICON", "Small icons"));
    views.add("bsLVList", text("MSG_LV_LIST", "List"));
    views.add("bsLVDetails", text("MSG_LV_DETAILS", "Details"));

    bottomPanel.setBorderStyle(TbsSkinBorderStyle::bvNone);
    fileNameLabel.setCaption(text("MSG_FILENAME", "File name:"));
    fileTypeLabel.setCaption(text("MSG_FILETYPE", "File type:"));
    confirmButton.setCaption(mode == TbsFileDialogMode::Open ? text("MSG_BTN_OPEN", "&Open")
                                                             : text("MSG_BTN_SAVE", "&Save"));
    confirmButton.setDefault(true);
    cancelButton.setCaption(text("MSG_BTN_CANCEL", "Cancel"));

    hScrollBar.setKind(TScrollBarKind::Horizontal);
    hScrollBar.setSkinDataName("hscrollbar");
    vScrollBar.setKind(TScrollBarKind::Vertical);
    vScrollBar.setSkinDataName("vscrollbar");
    hScrollBar.setEnabled(false);
    vScrollBar.setEnabled(false);
    fileList.columnCaptions = {text("FLV_NAME", "Name"), text("FLV_SIZE", "Size"), text("FLV_TYPE", "Type"),
                               text("FLV_MODIFIED", "Modified")};
    fileList.setScrollBars(&hScrollBar, &vScrollBar);
    // The folder selector uses the tool bar's own combo box look when the skin has one.
    if (ctrlSkinData && !ctrlSkinData->empty() && ctrlSkinData->FindSkinControl("toolcombobox") >= 0)
        folderSelector.setSkinDataName("toolcombobox");

    fileNameEdit.setTabOrder(0);
    filterSelector.setTabOrder(1);
    confirmButton.setTabOrder(2);
    cancelButton.setTabOrder(3);
    fileList.setTabOrder(4);
    folderSelector.setTabOrder(5);
    wire();
    setClientSize(450, 290);
    layout();
}

TbsSkinFileDialogForm::~TbsSkinFileDialogForm()
{
    // The frame goes last and gives the window its plain border back; a hidden
    // window gets no resize, so nothing lays out the controls already gone.
    setVisible(false);
}

std::string TbsSkinFileDialogForm::text(const std::string& key, const std::string& builtIn) const
{
    return dialogText(m_ctrlSkin, key, builtIn);
}

void TbsSkinFileDialogForm::wire()
{
    fileList.onFolderChange = [this] { folderChanged(); };
    fileList.onSelectionChange = [this] { selectionChanged(); };
    fileList.onFileEnter = [this] { confirm(); };
    fileList.onFileDoubleClick = [this] { fileDoubleClicked(); };
    folderSelector.onChange = [this] { showFolder(folderSelector.chosenFolder()); };
    filterSelector.onChange = [this] { fileList.setMask(filterSelector.mask()); };
    backButton.onClick = [this] { goBack(); };
    upButton.onClick = [this] { goUp(); };
    newFolderButton.onClick = [this] { newFolder(); };
    const TbsViewStyle styles[]
        = {TbsViewStyle::vsIcon, TbsViewStyle::vsSmallIcon, TbsViewStyle::vsList, TbsViewStyle::vsReport};
    for (TbsViewStyle style : styles)
        viewMenuItem(style).onClick = [this, style] { setViewStyle(style); };
    fileNameEdit.onKeyPress = [this](char& key) {
        if (key == chEnter) {
            key = 0;
            fileNameEnter();
        } else if (key == chEscape) {
            key = 0;
            setModalResult(mrCancel);
        }
    };
    confirmButton.onClick = [this] { confirm(); };
    cancelButton.onClick = [this] { setModalResult(mrCancel); };
    // Esc anywhere else cancels too, unless it closes an open drop-down first.
    for (TControl* c :
         std::initializer_list<TControl*>{&fileList, &folderSelector, &filterSelector, &confirmButton, &cancelButton}) {
        c->onKeyDown = [this](int& key, unsigned) {
            if (key != VK_ESCAPE || folderSelector.droppedDown() || filterSelector.droppedDown())
                return;
            key = 0;
            setModalResult(mrCancel);
        };
    }
}

void TbsSkinFileDialogForm::resized()
{
    layout();
    TForm::resized();
}

void TbsSkinFileDialogForm::layout()
{
    int W = clientWidth(), H = clientHeight();
    toolBar.setBounds(0, 0, W, toolBarHeight);
    int barH = toolBar.height();
    int x = W - viewButtonWidth;
    viewMenuButton.setBounds(x, (barH - 25) / 2, viewButtonWidth, 25);
    x -= spacer;
    for (TbsSkinSpeedButton* b : {&newFolderButton, &upButton, &backButton}) {
        x -= toolButtonWidth;
        b->setBounds(x, (barH - 25) / 2, toolButtonWidth, 25);
    }
    lookInLabel.setLeft(spacer);
    lookInLabel.setTop((barH - lookInLabel.height()) / 2);
    int comboLeft = lookInLabel.left() + lookInLabel.width();
    folderSelector.setBounds(comboLeft, 0, std::max(40, x - 4 - comboLeft), 21);
    folderSelector.setTop((barH - folderSelector.height()) / 2);

    bottomPanel.setBounds(0, std::max(barH, H - bottomHeight), W, bottomHeight);
    fileNameLabel.setLeft(10);
    fileNameLabel.setTop(10 + (21 - fileNameLabel.height()) / 2);
    fileTypeLabel.setLeft(10);
    fileTypeLabel.setTop(45 + (21 - fileTypeLabel.height()) / 2);
    // The fields start at 70 unless a label's text (a wider font, a translated text) reaches further.
    int fieldLeft = std::max(
        {70, fileNameLabel.left() + fileNameLabel.width() + 4, fileTypeLabel.left() + fileTypeLabel.width() + 4});
    int fieldWidth = std::max(40, W - 90 - fieldLeft);
    fileNameEdit.setBounds(fieldLeft, 10, fieldWidth, 21);
    fileNameEdit.setTop(10 + (21 - fileNameEdit.height()) / 2);
    filterSelector.setBounds(fieldLeft, 45, fieldWidth, 21);
    filterSelector.setTop(45 + (21 - filterSelector.height()) / 2);
    confirmButton.setBounds(W - 80, 10, 70, 25);
    cancelButton.setBounds(W - 80, 45, 70, 25);

    listPanel.setBounds(0, barH, W, std::max(barThickness * 2, bottomPanel.top() - barH));
    TRect r = listPanel.panelClientRect();
    int listW = std::max(1, r.width() - barThickness), listH = std::max(1, r.height() - barThickness);
    hScrollBar.setBounds(r.left, r.top + listH, listW, barThickness);
    vScrollBar.setBounds(r.left + listW, r.top, barThickness, listH);
    fileList.setBounds(r.left, r.top, listW, listH);
}

void TbsSkinFileDialogForm::showFolder(const std::string& folder)
{
    try {
        fileList.setFolder(folder);
    } catch (...) {
        // The selector may show the folder that failed; it goes back to the shown one.
        folderSelector.showFolder(fileList.folder());
        throw;
    }
}

void TbsSkinFileDialogForm::folderChanged()
{
    const std::string& folder = fileList.folder();
    if (!m_goingBack && (m_history.empty() || m_history.back() != folder))
        m_history.push_back(folder);
    folderSelector.showFolder(folder);
    backButton.setEnabled(m_history.size() >= 2);
    upButton.setEnabled(!shellParentFolder(folder).empty());
    if (onFolderChange)
        onFolderChange();
}

void TbsSkinFileDialogForm::selectionChanged()
{
    if (const TShellItem* file = fileList.selectedFile())
        fileNameEdit.setText(file->name);
    if (onFolderChange)
        onFolderChange();
}

void TbsSkinFileDialogForm::goBack()
{
    if (m_history.size() < 2)
        return;
    // The shown folder's entry goes; the one before it is shown again.
    std::string previous = m_history[m_history.size() - 2];
    m_goingBack = true;
    try {
        fileList.setFolder(previous);
    } catch (...) {
        m_goingBack = false;
        // A folder that can no longer be shown leaves the history too.
        m_history.erase(m_history.end() - 2);
        backButton.setEnabled(m_history.size() >= 2);
        throw;
    }
    m_goingBack = false;
    m_history.pop_back();
    backButton.setEnabled(m_history.size() >= 2);
}

void TbsSkinFileDialogForm::goUp() { fileList.goUp(); }

void TbsSkinFileDialogForm::newFolder()
{
    std::string base = text("MSG_NEWFOLDER", "New Folder");
    std::string name = base;
    for (int n = 2; shellEntryExists(shellJoin(fileList.folder(), name)); ++n)
        name = base + " (" + std::to_string(n) + ")";
    shellCreateFolder(shellJoin(fileList.folder(), name));
    fileList.refresh();
    fileList.selectItem(fileList.indexOf(name));
}

TMenuItem& TbsSkinFileDialogForm::viewMenuItem(TbsViewStyle style)
{
    return viewMenuButton.menuItems().item(static_cast<int>(style));
}

void TbsSkinFileDialogForm::setViewStyle(TbsViewStyle style)
{
    fileList.setViewStyle(style);
    for (int i = 0; i < viewMenuButton.menuItems().count(); ++i)
        viewMenuButton.menuItems().item(i).setChecked(i == static_cast<int>(style));
}

std::string TbsSkinFileDialogForm::typedPath(const std::string& typed) const
{
    if (!typed.empty() && typed.front() == '/')
        return typed;
    return shellJoin(fileList.folder(), typed);
}

void TbsSkinFileDialogForm::fileNameEnter()
{
    std::string typed = fileNameEdit.text();
    if (typed.find('*') != std::string::npos) {
        fileList.setMask(typed);
        return;
    }
    // A typed folder (with a path, or a folder of the shown one) is opened instead of being chosen as a file.
    if (!typed.empty() && shellFolderExists(typedPath(typed))) {
        showFolder(typedPath(typed));
        fileNameEdit.setText("");
        return;
    }
    if (typed.find('/') != std::string::npos)
        return;
    confirm();
}

bool TbsSkinFileDialogForm::openExisting(const std::string& path)
{
    if (shellFileExists(path)) {
        closeWith(path);
        return true;
    }
    m_result.clear();
    ui.messageBox({path + "\rThe file is no longer there; the list has been read again.", caption(),
                   MB_OK | MB_ICONWARNING});
    fileList.refresh();
    return false;
}

void TbsSkinFileDialogForm::confirm()
{
    std::string typed = fileNameEdit.text();
    const TShellItem* selected = fileList.selectedFile();
    bool open = m_mode == TbsFileDialogMode::Open;
    if (open && checkFileExists && !selected)
        return;
    if (typed.empty())
        return;
    if (!open) {
        std::string path = typedPath(typed);
        if (path.find('*') == std::string::npos)
            closeWith(path);
        return;
    }
    if (!checkFileExists) {
        closeWith(selected ? selected->path : typedPath(typed));
        return;
    }
    // A name typed over the selection names the file the user wants: the list's
    // entry of that name, or nothing at all.
    if (typed != selected->name) {
        int index = fileList.indexOf(typed);
        if (index < 0 || fileList.item(index).folder)
            return;
        if (!fileList.isSelected(index))
            fileList.selectItem(index);
        selected = &fileList.item(index);
    }
    openExisting(selected->path);
}

void TbsSkinFileDialogForm::fileDoubleClicked()
{
    const TShellItem* selected = fileList.selectedFile();
    if (!selected)
        return;
    if (m_mode == TbsFileDialogMode::Open)
        openExisting(selected->path);
    else
        closeWith(selected->path);
}

void TbsSkinFileDialogForm::closeWith(const std::string& path)
{
    m_result = path;
    setModalResult(mrOk);
}

// ---- component ----

TbsSkinOpenDialog::TbsSkinOpenDialog() : TbsSkinOpenDialog(TbsFileDialogMode::Open) {}

TbsSkinOpenDialog::TbsSkinOpenDialog(TbsFileDialogMode mode)
    : m_mode(mode), m_title(mode == TbsFileDialogMode::Open ? "Open file" : "Save file"),
      m_defaultFont(skinDefaultFont())
{
}

TbsSkinOpenDialog::~TbsSkinOpenDialog() = default;

TbsSkinSaveDialog::TbsSkinSaveDialog() : TbsSkinOpenDialog(TbsFileDialogMode::Save) {}

void TbsSkinOpenDialog::setFileName(const std::string& fileName)
{
    m_fileName = fileName;
    if (m_window)
        m_window->fileNameEdit.setText(shellFileNameOf(fileName));
}

std::string TbsSkinOpenDialog::withPatternExtension(const std::string& path, const std::string& pattern)
{
    return TFileDialog::withFilterExtension(path, pattern);
}

std::string TbsSkinOpenDialog::startFolder() const
{
    if (size_t slash = m_fileName.find_last_of('/'); slash != std::string::npos)
        return slash == 0 ? "/" : m_fileName.substr(0, slash);
    std::string programFolder = TApplication::exists() ? TApplication::instance().exeDir() : shellNormalPath("");
    // An installed program's folder is read-only: start where the user's files are.
    try {
        programFolder = userFilesFolder(programFolder);
    } catch (const std::exception&) {
    }
    if (m_initialDir.empty() || !shellFolderExists(m_initialDir))
        return programFolder;
    return m_initialDir;
}

void TbsSkinOpenDialog::prepare(TbsSkinFileDialogForm& window)
{
    window.setCaption(m_title);
    window.checkFileExists = m_checkFileExists;
    window.skinForm.setBorderIcons(0);
    window.skinForm.setMinWidth(m_minWidth);
    window.skinForm.setMinHeight(m_minHeight);
    window.skinForm.setMenusSkinData(m_ctrlSkinData);
    window.skinForm.setSkinData(m_skinData);
    for (TbsSkinControl* c : std::initializer_list<TbsSkinControl*>{
             &window.toolBar, &window.lookInLabel, &window.folderSelector, &window.backButton, &window.upButton,
             &window.newFolderButton, &window.viewMenuButton, &window.bottomPanel, &window.fileNameLabel,
             &window.fileTypeLabel, &window.filterSelector, &window.confirmButton, &window.cancelButton,
             &window.listPanel, &window.hScrollBar, &window.vScrollBar, &window.fileList}) {
        c->setDefaultFont(m_defaultFont);
        c->setSkinData(m_ctrlSkinData);
    }
    window.fileNameEdit.setSkinData(m_ctrlSkinData);
    window.viewMenuButton.setMenuSkinData(m_ctrlSkinData);
    window.setViewStyle(m_viewStyle);
    window.fileList.setMultiSelection(m_multiSelection);
    window.fileList.setHeaderSkinDataName(m_headerName);
    window.filterSelector.setFilter(m_filter);
    if (m_filterIndex >= 1 && m_filterIndex <= window.filterSelector.itemCount())
        window.filterSelector.setItemIndex(m_filterIndex - 1);
    window.fileList.setMask(window.filterSelector.mask());
    window.onFolderChange = [this] {
        if (onFolderChange)
            onFolderChange();
    };
    // A start folder that cannot be read falls back to the program's, then to home.
    for (const std::string& folder :
         {startFolder(), shellNormalPath(TApplication::exists() ? TApplication::instance().exeDir() : ""),
          shellHomeFolder()}) {
        try {
            window.showFolder(folder);
            break;
        } catch (const std::exception&) {
        }
    }
    int w = m_dialogWidth > 0 ? m_dialogWidth : 450;
    int h = m_dialogHeight > 0 ? m_dialogHeight : 290;
    if (m_skinData && !m_skinData->empty()) {
        w = std::max(w, window.skinForm.minimumWidth());
        h = std::max(h, window.skinForm.minimumHeight());
    }
    window.setClientSize(std::max(w, m_minWidth), std::max(h, m_minHeight));
    window.layout();
    window.fileList.setFocusedItem(window.fileList.itemCount() > 0 ? 0 : -1);
    window.fileNameEdit.setText(shellFileNameOf(m_fileName));
}

bool TbsSkinOpenDialog::Execute(const UiServices& ui)
{
    TbsSkinFileDialogForm window(m_mode, m_ctrlSkinData, ui);
    prepare(window);
    window.centerOnScreen();
    m_window = &window;
    window.onShow = [this, &window] {
        window.fileNameEdit.setFocus();
        if (onShown)
            onShown(window);
    };
    struct Clear {
        TbsSkinFileDialogForm*& window;
        ~Clear() { window = nullptr; }
    } clear{m_window};
    int answer = window.showModal();
    m_filterIndex = window.filterSelector.ItemIndex() + 1;
    m_dialogWidth = window.clientWidth();
    m_dialogHeight = window.clientHeight();
    m_viewStyle = window.viewStyle();
    if (answer != mrOk || window.result().empty())
        return false;
    m_fileName = window.result();
    if (m_mode == TbsFileDialogMode::Save)
        m_fileName = withPatternExtension(m_fileName, window.filterSelector.mask());
    m_files = window.fileList.selectedFilePaths();
    return true;
}

} // namespace qv
