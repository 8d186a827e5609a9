#pragma once

#include "runtime/ui/Form.h"
#include "runtime/ui/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/dialogs/SkinDialogComboBox.h"
#include "skin/dialogs/SkinFileListView.h"
#include "skin/frame/SkinForm.h"
#include "skin/dialogs/SkinToolBar.h"
#include "skin/scrollbar/SkinScrollBar.h"

#include <functional>
#include <string>
#include <vector>

namespace qv {

enum class TbsFileDialogMode { Open, Save };

// The window of one run of a file dialog: tool bar with the folder selector and
// navigation buttons, the file list with its scroll bars, and the bottom panel
// with the file name, the file type and the two buttons.
class TbsSkinFileDialogForm : public TForm {
public:
    TbsSkinFileDialogForm(TbsFileDialogMode mode, TbsSkinData* ctrlSkinData, UiServices services);
    ~TbsSkinFileDialogForm() override;

    // What the window asks of the desktop: its message boxes.
    UiServices ui;

    TbsSkinForm skinForm{*this};
    TbsSkinToolBar toolBar{this};
    TbsSkinStdLabel lookInLabel{&toolBar};
    TbsSkinShellComboBox folderSelector{&toolBar};
    TbsSkinSpeedButton backButton{&toolBar};
    TbsSkinSpeedButton upButton{&toolBar};
    TbsSkinSpeedButton newFolderButton{&toolBar};
    TbsSkinMenuSpeedButton viewMenuButton{&toolBar};
    TbsSkinPanel bottomPanel{this};
    TbsSkinStdLabel fileNameLabel{&bottomPanel};
    TbsSkinEdit fileNameEdit{&bottomPanel};
    TbsSkinStdLabel fileTypeLabel{&bottomPanel};
    TbsSkinFilterComboBox filterSelector{&bottomPanel};
    TbsSkinButton confirmButton{&bottomPanel};
    TbsSkinButton cancelButton{&bottomPanel};
    TbsSkinPanel listPanel{this};
    TbsSkinScrollBar hScrollBar{&listPanel};
    TbsSkinScrollBar vScrollBar{&listPanel};
    TbsSkinFileListView fileList{&listPanel, ui};

    TbsFileDialogMode mode() const { return m_mode; }
    bool checkFileExists = true;
    // The chosen full path once the window closed confirmed.
    const std::string& result() const { return m_result; }
    const std::vector<std::string>& history() const { return m_history; }

    // Shows a folder; an error when it cannot be read, and the shown one stays.
    void showFolder(const std::string& folder);
    void goBack();
    void goUp();
    // Creates "New Folder" (or the first free "New Folder (n)") in the shown folder.
    void newFolder();
    TbsViewStyle viewStyle() const { return fileList.ViewStyle(); }
    void setViewStyle(TbsViewStyle style);
    TMenuItem& viewMenuItem(TbsViewStyle style);
    // Enter in the file-name edit: a pattern, a folder or the confirm rule.
    void fileNameEnter();
    // The open or save button.
    void confirm();

    std::function<void()> onFolderChange;

    // Places every control for the client size (after a resize, a skin or font change).
    void layout();

protected:
    void resized() override;

private:
    void wire();
    std::string text(const std::string& key, const std::string& builtIn) const;
    void folderChanged();
    void selectionChanged();
    void fileDoubleClicked();
    void closeWith(const std::string& path);
    bool openExisting(const std::string& path);
    // The edit text as a path: as typed when absolute, else inside the shown folder.
    std::string typedPath(const std::string& typed) const;

    TbsFileDialogMode m_mode;
    TbsSkinData* m_ctrlSkin;
    std::string m_result;
    std::vector<std::string> m_history;
    bool m_goingBack = false;
};

// A file dialog component: its settings live between runs, the window only
// during one. Open mode returns an existing file chosen in the list.
class TbsSkinOpenDialog {
public:
    TbsSkinOpenDialog();
    virtual ~TbsSkinOpenDialog();
    TbsSkinOpenDialog(const TbsSkinOpenDialog&) = delete;
    TbsSkinOpenDialog& operator=(const TbsSkinOpenDialog&) = delete;

    const std::string& Title() const { return m_title; }
    void setTitle(const std::string& title) { m_title = title; }
    const std::string& Filter() const { return m_filter; }
    void setFilter(const std::string& filter) { m_filter = filter; }
    int FilterIndex() const { return m_filterIndex; }
    void setFilterIndex(int index) { m_filterIndex = index; }
    const std::string& FileName() const { return m_fileName; }
    // While the window shows, the name also goes into its file-name edit.
    void setFileName(const std::string& fileName);
    const std::string& InitialDir() const { return m_initialDir; }
    void setInitialDir(const std::string& folder) { m_initialDir = folder; }
    bool CheckFileExists() const { return m_checkFileExists; }
    void setCheckFileExists(bool check) { m_checkFileExists = check; }
    bool MultiSelection() const { return m_multiSelection; }
    void setMultiSelection(bool multi) { m_multiSelection = multi; }
    int DialogWidth() const { return m_dialogWidth; }
    void setDialogWidth(int width) { m_dialogWidth = width; }
    int DialogHeight() const { return m_dialogHeight; }
    void setDialogHeight(int height) { m_dialogHeight = height; }
    int DialogMinWidth() const { return m_minWidth; }
    void setDialogMinWidth(int width) { m_minWidth = width; }
    int DialogMinHeight() const { return m_minHeight; }
    void setDialogMinHeight(int height) { m_minHeight = height; }
    TbsSkinData* SkinData() const { return m_skinData; }
    void setSkinData(TbsSkinData* data) { m_skinData = data; }
    TbsSkinData* CtrlSkinData() const { return m_ctrlSkinData; }
    void setCtrlSkinData(TbsSkinData* data) { m_ctrlSkinData = data; }
    const std::string& LVHeaderSkinDataName() const { return m_headerName; }
    void setLVHeaderSkinDataName(const std::string& name) { m_headerName = name; }
    const Font& DefaultFont() const { return m_defaultFont; }
    void setDefaultFont(const Font& font) { m_defaultFont = font; }
    // Translucency is kept for the frame and menus; this program shows none.
    bool AlphaBlend = false;
    int AlphaBlendValue = 225;
    bool AlphaBlendAnimation = false;
    bool CtrlAlphaBlend = false;
    int CtrlAlphaBlendValue = 225;
    bool CtrlAlphaBlendAnimation = false;

    // The shown folder or the list's selection changed.
    std::function<void()> onFolderChange;

    // Full paths of the files selected when the last run was confirmed.
    const std::vector<std::string>& Files() const { return m_files; }
    TbsViewStyle viewStyle() const { return m_viewStyle; }

    // Shows the window modally, with the desktop services given; true when the user confirmed.
    bool Execute(const UiServices& ui);
    // The window while a run shows it, else null.
    TbsSkinFileDialogForm* dialogWindow() const { return m_window; }

    // The window of a run has just been shown; tests and scripted runs drive it from here.
    std::function<void(TbsSkinFileDialogForm&)> onShown;

    // The save rule: a pattern without ".*" gives its extension to a path whose
    // own extension differs (without regard to case).
    static std::string withPatternExtension(const std::string& path, const std::string& pattern);

protected:
    explicit TbsSkinOpenDialog(TbsFileDialogMode mode);

private:
    std::string startFolder() const;
    void prepare(TbsSkinFileDialogForm& window);

    TbsFileDialogMode m_mode;
    std::string m_title;
    std::string m_filter = "All files|*.*";
    int m_filterIndex = 1;
    std::string m_fileName;
    std::string m_initialDir;
    bool m_checkFileExists = true;
    bool m_multiSelection = false;
    int m_dialogWidth = 0;
    int m_dialogHeight = 0;
    int m_minWidth = 0;
    int m_minHeight = 0;
    TbsSkinData* m_skinData = nullptr;
    TbsSkinData* m_ctrlSkinData = nullptr;
    std::string m_headerName = "resizebutton";
    Font m_defaultFont;
    std::vector<std::string> m_files;
    TbsViewStyle m_viewStyle = TbsViewStyle::vsList;
    TbsSkinFileDialogForm* m_window = nullptr;
};

// The same dialog in save mode: the shown folder joined with the typed name.
class TbsSkinSaveDialog : public TbsSkinOpenDialog {
public:
    TbsSkinSaveDialog();
};

} // namespace qv
