#include "runtime/ui/Dialogs.h"

#include "runtime/core/UserFiles.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/UiServices.h"
#include "runtime/core/Text.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>
#include <cctype>
#include <vector>

namespace qv {

namespace {

QMessageBox::Icon iconOf(unsigned flags)
{
    switch (flags & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// The extension of a path's file name, from its last "." ("" when none).
std::string extensionOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start)
        return "";
    return path.substr(dot);
}

QString qtFilterOf(const std::string& filter)
{
    std::vector<std::string> parts = splitFilter(filter);
    QStringList entries;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = QString::fromStdString(parts[i + 1]).replace(';', ' ');
        entries << QString::fromStdString(parts[i]) + " (" + pattern + ")";
    }
    return entries.join(";;");
}

} // namespace

std::vector<std::string> splitFilter(const std::string& filter)
{
    return splitAt(filter, '|');
}

int messageBoxOnDesktop(const MessageBoxCall& call)
{
    unsigned const flags = call.flags;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if ((flags & 0xF) == MB_OKCANCEL)
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
    else if ((flags & 0xF) == MB_YESNO)
        buttons = QMessageBox::Yes | QMessageBox::No;
    else if ((flags & 0xF) == MB_RETRYCANCEL)
        buttons = QMessageBox::Retry | QMessageBox::Cancel;
    QMessageBox box(iconOf(flags), QString::fromStdString(call.caption), QString::fromStdString(call.text), buttons);
    box.setWindowModality(Qt::ApplicationModal);
    switch (box.exec()) {
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return IDOK;
    }
}

namespace {

bool confirmReplace(const UiServices& ui, const std::string& path, const std::string& caption)
{
    QFileInfo info(QString::fromStdString(path));
    if (!info.absoluteDir().exists()) {
        ui.messageBox({info.absolutePath().toStdString() + "\rThe folder does not exist.", caption, MB_OK | MB_ICONWARNING});
        return false;
    }
    if (!info.exists())
        return true;
    if (!info.isWritable()) {
        ui.messageBox({path + " is read-only.\rChoose another name.", caption, MB_OK | MB_ICONWARNING});
        return false;
    }
    return ui.messageBox({path + " already exists.\rDo you want to replace it?", caption, MB_YESNO | MB_ICONWARNING}) == IDYES;
}

} // namespace

TFileDialog::TFileDialog(Mode mode) : title(mode == Mode::Open ? "Open file" : "Save file"), m_mode(mode) {}

std::string TFileDialog::selectedPattern() const
{
    std::vector<std::string> parts = splitFilter(filter);
    int pairs = static_cast<int>(parts.size() / 2);
    if (pairs == 0)
        return "*.*";
    int index = std::clamp(filterIndex, 1, pairs);
    return parts[static_cast<size_t>(index - 1) * 2 + 1];
}

std::string TFileDialog::startFolder() const
{
    QFileInfo named(QString::fromStdString(fileName));
    if (!fileName.empty() && fileName.find('/') != std::string::npos)
        return named.absolutePath().toStdString();
    std::string programFolder = TApplication::exists() ? TApplication::instance().exeDir() : QDir::currentPath().toStdString();
    // An installed program's folder is read-only: start where the user's files are.
    try {
        programFolder = userFilesFolder(programFolder);
    } catch (const std::exception&) {
    }
    if (initialDir.empty())
        return programFolder;
    return QFileInfo(QString::fromStdString(initialDir)).isDir() ? initialDir : programFolder;
}

std::string TFileDialog::withFilterExtension(const std::string& path, const std::string& pattern)
{
    if (pattern.find(".*") != std::string::npos)
        return path;
    size_t dot = pattern.find_last_of('.');
    if (dot == std::string::npos)
        return path;
    std::string wanted = pattern.substr(dot);
    if (lower(extensionOf(path)) == lower(wanted))
        return path;
    return path + wanted;
}

std::optional<std::string> chooseFileOnDesktop(TFileDialog& file)
{
    bool const open = file.mode() == TFileDialog::Mode::Open;
    QFileDialog dialog(nullptr, QString::fromStdString(file.title), QString::fromStdString(file.startFolder()),
                       qtFilterOf(file.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QStringList filters = dialog.nameFilters();
    if (file.filterIndex >= 1 && file.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(file.filterIndex - 1));
    if (!file.fileName.empty())
        dialog.selectFile(QFileInfo(QString::fromStdString(file.fileName)).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    int selected = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    if (selected >= 0)
        file.filterIndex = selected + 1;
    return dialog.selectedFiles().first().toStdString();
}

bool TFileDialog::execute(const UiServices& ui)
{
    if (!ui.chooseFile)
        return false;
    std::optional<std::string> answer = ui.chooseFile(*this);
    if (!answer)
        return false;
    std::string chosen = *answer;
    if (m_mode == Mode::Open) {
        if (!QFileInfo(QString::fromStdString(chosen)).isFile())
            return false;
    } else {
        chosen = withFilterExtension(chosen, selectedPattern());
        if (overwritePrompt && !confirmReplace(ui, chosen, title))
            return false;
    }
    fileName = chosen;
    return true;
}

} // namespace qv
