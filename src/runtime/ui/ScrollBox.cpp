#include "runtime/ui/ScrollBox.h"

#include "runtime/graphics/QtGraphics.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/PopupMenu.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <functional>

namespace qv {

namespace {

// Paints the picture as it is, without conversion.
class PictureWidget : public QWidget {
public:
    void setImage(const QImage& image)
    {
        m_image = image;
        resize(image.size());
        update();
    }
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.drawImage(event->rect().topLeft(), m_image, event->rect());
    }

private:
    QImage m_image;
};

// Right clicks reach the viewport; the menu key reaches the box itself.
class ContextMenuFilter : public QObject {
public:
    ContextMenuFilter(QObject* parent, std::function<void(QPoint)> open) : QObject(parent), m_open(std::move(open)) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::ContextMenu)
            return false;
        m_open(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }

private:
    std::function<void(QPoint)> m_open;
};

QScrollArea* area(QWidget* native) { return static_cast<QScrollArea*>(native); }
PictureWidget* picture(QWidget* native) { return static_cast<PictureWidget*>(area(native)->widget()); }

} // namespace

TScrollBox::TScrollBox(TWinControl* parent, const UiServices& ui) : TNativeControl(parent, new QScrollArea), m_ui(ui)
{
    QScrollArea* box = area(native());
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(2);
    box->setWidgetResizable(false);
    box->setAlignment(Qt::AlignCenter);
    box->setWidget(new PictureWidget);
    box->setFocusPolicy(Qt::StrongFocus);
    auto* filter = new ContextMenuFilter(box, [this](QPoint at) { contextMenu(TPoint {at.x(), at.y()}); });
    box->installEventFilter(filter);
    box->viewport()->installEventFilter(filter);
    setTabStop(true);
}

void TScrollBox::setPicture(const Bitmap& bitmap)
{
    QScrollArea* box = area(native());
    QPalette palette = box->viewport()->palette();
    palette.setColor(QPalette::Window, toQColor(color()));
    box->viewport()->setPalette(palette);
    box->viewport()->setAutoFillBackground(true);
    picture(native())->setImage(bitmap.impl().settled());
}

int TScrollBox::pictureWidth() const { return picture(native())->image().width(); }
int TScrollBox::pictureHeight() const { return picture(native())->image().height(); }

TColor TScrollBox::picturePixel(int x, int y) const
{
    const QImage& image = picture(native())->image();
    if (!image.valid(x, y))
        return clNone;
    return fromQRgb(image.pixel(x, y));
}

int TScrollBox::horzPosition() const { return area(native())->horizontalScrollBar()->value(); }
int TScrollBox::vertPosition() const { return area(native())->verticalScrollBar()->value(); }
void TScrollBox::setHorzPosition(int position) { area(native())->horizontalScrollBar()->setValue(position); }
void TScrollBox::setVertPosition(int position) { area(native())->verticalScrollBar()->setValue(position); }
int TScrollBox::horzRange() const { return area(native())->horizontalScrollBar()->maximum(); }
int TScrollBox::vertRange() const { return area(native())->verticalScrollBar()->maximum(); }
int TScrollBox::viewWidth() const { return area(native())->viewport()->width(); }
int TScrollBox::viewHeight() const { return area(native())->viewport()->height(); }
int TScrollBox::frameWidth() const { return area(native())->frameWidth(); }

int TScrollBox::scrollBarWidth() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

void TScrollBox::contextMenu(TPoint screen)
{
    if (m_popup && m_ui.popupMenu)
        TApplication::guard([&] { m_ui.popupMenu(*m_popup, screen); });
}

} // namespace qv
