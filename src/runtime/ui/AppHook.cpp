#include "runtime/ui/AppHook.h"

#include "runtime/ui/Application.h"
#include "runtime/ui/Control.h"
#include "runtime/ui/Widgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <vector>

namespace qv {

class AppHookFilter : public QObject {
public:
    static AppHookFilter& instance()
    {
        static auto* filter = new AppHookFilter;
        return *filter;
    }

    std::vector<TApplicationHook*> hooks;

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (hooks.empty() || !object->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(object);
        TAppMessage message;
        if (!describe(*widget, *event, message))
            return false;
        bool handled = false;
        TApplication::guard([&] {
            // A handler may install or remove hooks; walk a copy, newest first.
            std::vector<TApplicationHook*> chain = hooks;
            for (auto it = chain.rbegin(); it != chain.rend() && !handled; ++it) {
                if (std::find(hooks.begin(), hooks.end(), *it) == hooks.end() || !(*it)->m_handler)
                    continue;
                // The handler may free its own hook.
                TApplicationHook::Handler handler = (*it)->m_handler;
                handled = handler(message);
            }
        });
        return handled;
    }

private:
    static bool describe(QWidget& widget, QEvent& event, TAppMessage& m)
    {
        switch (event.type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto& key = static_cast<QKeyEvent&>(event);
            m.kind = event.type() == QEvent::KeyPress ? TAppMessage::Kind::KeyDown : TAppMessage::Kind::KeyUp;
            m.key = virtualKeyOf(key);
            m.shift = shiftOf(key.modifiers());
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto& mouse = static_cast<QMouseEvent&>(event);
            m.kind = TAppMessage::Kind::MouseDown;
            QPoint p = mouse.globalPosition().toPoint();
            m.screenPoint = TPoint{p.x(), p.y()};
            break;
        }
        case QEvent::Wheel: m.kind = TAppMessage::Kind::MouseWheel; break;
        case QEvent::WindowDeactivate:
            // Every widget of the window hears it; the window alone counts.
            if (!widget.isWindow())
                return false;
            m.kind = TAppMessage::Kind::Deactivate;
            break;
        default: return false;
        }
        m.control = TControl::fromWidget(&widget);
        return m.control != nullptr;
    }
};

TApplicationHook::TApplicationHook(Handler handler) : m_handler(std::move(handler))
{
    auto& filter = AppHookFilter::instance();
    if (filter.hooks.empty())
        qApp->installEventFilter(&filter);
    filter.hooks.push_back(this);
}

TApplicationHook::~TApplicationHook()
{
    auto& filter = AppHookFilter::instance();
    filter.hooks.erase(std::remove(filter.hooks.begin(), filter.hooks.end(), this), filter.hooks.end());
    if (filter.hooks.empty() && qApp)
        qApp->removeEventFilter(&filter);
}

TControl* windowAtScreen(TPoint p)
{
    QWidget* w = QApplication::widgetAt(QPoint(p.x, p.y));
    if (!w)
        return nullptr;
    return TControl::fromWidget(w->window());
}

} // namespace qv
