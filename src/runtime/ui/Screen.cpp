#include "runtime/ui/Screen.h"

#include "runtime/ui/Form.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace qv {

int screenPixelsPerInch()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 96;
    int const ppi = static_cast<int>(std::lround(screen->logicalDotsPerInch()));
    return ppi > 0 ? ppi : 96;
}

TBusyCursor::TBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

TBusyCursor::~TBusyCursor() { QApplication::restoreOverrideCursor(); }

bool TBusyCursor::shown()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

void setWindowState(TForm& form, TWindowState state)
{
    Qt::WindowStates states = form.widget()->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == TWindowState::wsMinimized)
        states |= Qt::WindowMinimized;
    else if (state == TWindowState::wsMaximized)
        states |= Qt::WindowMaximized;
    form.widget()->setWindowState(states);
}

TWindowState windowState(const TForm& form)
{
    Qt::WindowStates states = form.widget()->windowState();
    if (states & Qt::WindowMinimized)
        return TWindowState::wsMinimized;
    if (states & Qt::WindowMaximized)
        return TWindowState::wsMaximized;
    return TWindowState::wsNormal;
}

void showAndWait(TForm& form)
{
    form.showAndRaise();
    QEventLoop loop;
    while (form.widget()->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

} // namespace qv
