#include "runtime/ui/Application.h"

#include "runtime/core/EndSignals.h"
#include "runtime/core/Exception.h"
#include "runtime/core/MainThreadCall.h"
#include "runtime/ui/AccessibleBridge.h"
#include "runtime/ui/Dialogs.h"
#include "runtime/ui/FirstFrame.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Widgets.h"

#include "runtime/graphics/QtGraphics.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <stdexcept>
#include <utility>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace qv {

namespace {

TApplication* g_instance = nullptr;

std::vector<std::function<void()>>& afterFirstFrameWork()
{
    static std::vector<std::function<void()>> work;
    return work;
}

// Last line of defence: an error that escaped every guard still reaches the
// default error display instead of ending the program.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        // The measures that waited for a window on screen run before it paints.
        if (event->type() == QEvent::Expose)
            TControl::settleMeasures();
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            if (g_instance)
                g_instance->showException(error);
        }
        return false;
    }
};

std::string folderOf(const char* argv0)
{
    QString path = QString::fromLocal8Bit(argv0 ? argv0 : "");
    // Through links, so an installed program started as P/bin/quorvane finds its files.
    QString const target = path.contains('/') ? QFileInfo(path).canonicalFilePath() : QString();
    if (!target.isEmpty())
        path = target;
    QString dir = path.contains('/') ? QFileInfo(path).absolutePath() : QCoreApplication::applicationDirPath();
    if (!dir.endsWith('/'))
        dir += '/';
    return dir.toStdString();
}

// Start-up frees far more than it keeps (the skin archive unpacked, the large icons'
// drawings, font probes), but the C library holds on to the freed pages. Once the
// first frame is painted they are handed back, a megabyte or so of resident memory.
class FirstFrameWatcher : public QObject {
public:
    explicit FirstFrameWatcher(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        watched->removeEventFilter(this);
        // Queued, so the children painted in the same pass are done as well.
        QTimer::singleShot(0, [] {
            std::vector<std::function<void()>> work;
            work.swap(afterFirstFrameWork());
            for (auto& step : work)
                TApplication::guard(step);
            releaseFreedMemory();
        });
        deleteLater();
        return false;
    }

private:
    static void releaseFreedMemory()
    {
#ifdef __GLIBC__
        malloc_trim(0);
#endif
    }
};

} // namespace

void afterFirstFrame(std::function<void()> work) { afterFirstFrameWork().push_back(std::move(work)); }

FirstFrameWork::FirstFrameWork(std::function<void()> work)
    : m_work(std::make_shared<std::function<void()>>(std::move(work)))
{
    afterFirstFrame([owned = std::weak_ptr(m_work)] {
        auto const work = owned.lock();
        if (!work || !*work)
            return;
        // Taken out first: the work may end its owner.
        std::function<void()> const step = std::exchange(*work, nullptr);
        step();
    });
}

FirstFrameWork::~FirstFrameWork() = default;

class TApplication::Impl {
public:
    Impl(int& argc, char** argv) : app(argc, argv) {}
    GuardedApplication app;
};

TApplication::TApplication(int& argc, char** argv, UiServices services) : m_ui(std::move(services))
{
    if (g_instance)
        throw std::logic_error("one application object per process");
    // A logout, a hang-up or Ctrl+C closes the main window (endRequested).
    watchEndSignals([](int) {
        if (!g_instance)
            return false;
        postToMainThread([] {
            if (g_instance)
                g_instance->endRequested();
        });
        return true;
    });
    m_impl = std::make_unique<Impl>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    m_exeName = argc > 0 && argv[0] ? argv[0] : "";
    m_exeDir = folderOf(argc > 0 ? argv[0] : nullptr);
    g_instance = this;
    installAccessibleFactory();

    QObject::connect(&m_impl->app, &QApplication::focusChanged, [](QWidget*, QWidget* now) {
        TControl* control = TControl::fromWidget(now);
        if (!control)
            return;
        if (TForm* form = control->parentForm())
            TForm::FormEvents::focusMovedTo(*form, control);
    });

    // Work from other threads (the data connection's listener) runs in the message loop.
    QObject* target = &m_impl->app;
    setMainThreadPoster([target](std::function<void()> work) {
        QMetaObject::invokeMethod(target, std::move(work), Qt::QueuedConnection);
    });
    setMessagePump([this] { processMessages(); });
}

TApplication::~TApplication()
{
    m_forms.clear();
    setMessagePump(nullptr);
    setMainThreadPoster(nullptr);
    // Widgets freed by the forms go on the next event pass.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    g_instance = nullptr;
}

TApplication& TApplication::instance()
{
    if (!g_instance)
        throw std::logic_error("no application object");
    return *g_instance;
}

bool TApplication::exists() { return g_instance != nullptr; }

void TApplication::setDesktopFileName(const std::string& name)
{
    QGuiApplication::setDesktopFileName(QString::fromStdString(name));
}

void TApplication::setIcon(const std::vector<Bitmap>& sizes)
{
    QIcon icon;
    for (const Bitmap& picture : sizes)
        icon.addPixmap(QPixmap::fromImage(picture.impl().settled()));
    QApplication::setWindowIcon(icon);
}

void TApplication::adoptForm(std::unique_ptr<TForm> form)
{
    TForm* raw = form.get();
    m_forms.push_back(std::move(form));
    if (!m_mainForm)
        m_mainForm = raw;
    guard([&] { raw->doCreate(); });
}

void TApplication::run()
{
    if (m_terminated)
        return;
    if (m_mainForm) {
        new FirstFrameWatcher(m_mainForm->widget());
        m_mainForm->showAndRaise();
    }
    if (m_terminated)
        return;
    QApplication::exec();
}

// A logout, a hang-up or Ctrl+C: the main window closes as at its close button,
// with the same save; a window that stays open (its save failed) keeps running.
void TApplication::endRequested()
{
    if (m_mainForm && m_mainForm->showing()) {
        m_mainForm->close();
        return;
    }
    terminate();
}

void TApplication::terminate()
{
    m_terminated = true;
    QCoreApplication::quit();
}

void TApplication::processMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::showException(const std::exception& error) { showException(std::string(error.what())); }

void TApplication::showException(const std::string& message)
{
    m_ui.messageBox({message, m_title, MB_OK | MB_ICONERROR | MB_TASKMODAL});
}

bool TApplication::guard(const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (const std::exception& error) {
        if (g_instance)
            g_instance->showException(error);
        else
            std::fprintf(stderr, "%s\n", error.what());
    }
    return false;
}

} // namespace qv
