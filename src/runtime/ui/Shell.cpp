#include "runtime/ui/Shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace qv {

bool shellOpen(const std::string& target)
{
    QString text = QString::fromStdString(target);
    QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text, QUrl::TolerantMode);
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

bool runCommandLine(const std::string& commandLine)
{
    QStringList parts = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (parts.isEmpty())
        return false;
    QString program = parts.takeFirst();
    return QProcess::startDetached(program, parts);
}

void systemBeep()
{
    QApplication::beep();
}

void exitProcess(int code)
{
    std::fflush(nullptr);
    std::exit(code);
}

} // namespace qv
