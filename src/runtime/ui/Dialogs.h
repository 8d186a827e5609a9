#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

enum MessageBoxFlags : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_TASKMODAL = 0x2000,
};
enum MessageBoxResult : int { IDOK = 1, IDCANCEL = 2, IDRETRY = 4, IDYES = 6, IDNO = 7 };

struct MessageBoxCall {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

// The desktop's message box: without owner window, modal for the whole task; the
// button that closed it.
int messageBoxOnDesktop(const MessageBoxCall& call);

struct UiServices;

// A file dialog's filter "description|pattern|…" cut at every bar, empty parts kept.
std::vector<std::string> splitFilter(const std::string& filter);

// A modal dialog that picks a file. Filter: "description|pattern" pairs.
// Open returns only an existing file; Save returns the folder joined with the
// typed name, adding the selected pattern's extension when the typed name's
// extension differs from it (case does not matter), and never asks before
// overwriting.
class TFileDialog {
public:
    enum class Mode { Open, Save };
    explicit TFileDialog(Mode mode);

    Mode mode() const { return m_mode; }
    std::string title;
    std::string filter = "All files|*.*";
    int filterIndex = 1;
    std::string fileName;
    std::string initialDir;
    // Save: a chosen file that exists is replaced only after the user agreed; the
    // folder must exist and a read-only file is refused.
    bool overwritePrompt = false;

    // True when the user confirmed; fileName then holds the full path. The choice
    // itself comes from ui.chooseFile, the overwrite question from ui.messageBox.
    bool execute(const UiServices& ui);

    // Applies the save rule to a chosen path.
    static std::string withFilterExtension(const std::string& path, const std::string& pattern);
    std::string selectedPattern() const;
    std::string startFolder() const;

private:
    Mode m_mode;
};

// The desktop's file dialog for a dialog about to run: the path the user chose (Open:
// an existing file; Save: the typed full path), or nothing for Cancel. The chosen
// filter goes back into filterIndex.
std::optional<std::string> chooseFileOnDesktop(TFileDialog& dialog);

} // namespace qv
