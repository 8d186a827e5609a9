#include "runtime/ui/StdControls.h"

#include "runtime/graphics/QtGraphics.h"
#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Menus.h"
#include "runtime/ui/Widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace qv {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

// Runs the form's key preview and the control's key handlers before the widget sees a key.
class NativeKeyFilter : public QObject {
public:
    explicit NativeKeyFilter(TNativeControl& control) : QObject(control.native()), m_control(control) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        int vk = virtualKeyOf(*key);
        unsigned shift = shiftOf(key->modifiers());
        bool dropped = false;
        TApplication::guard([&] { dropped = !route(vk, shift, charOf(*key)); });
        return dropped;
    }

private:
    // False when a handler dropped the key or a dialog button took it.
    bool route(int vk, unsigned shift, char ch)
    {
        TForm* form = m_control.parentForm();
        if (form && form->keyPreview() && form->onKeyDown) {
            form->onKeyDown(vk, shift);
            if (vk == 0)
                return false;
        }
        if (m_control.onKeyDown) {
            m_control.onKeyDown(vk, shift);
            if (vk == 0)
                return false;
        }
        // Dialog keys go to the default and cancel buttons before any character filter.
        if (form && (vk == VK_RETURN || vk == VK_ESCAPE) && form->pressDialogButton(vk))
            return false;
        if (ch != 0) {
            char original = ch;
            if (form && form->keyPreview() && form->onKeyPress) {
                form->onKeyPress(ch);
                if (ch == 0)
                    return false;
            }
            if (m_control.onKeyPress) {
                m_control.onKeyPress(ch);
                if (ch == 0)
                    return false;
            }
            if (ch != original)
                return false;
        }
        return true;
    }

    TNativeControl& m_control;
};

// ---- TNativeControl ----

TNativeControl::TNativeControl(TWinControl* parent, QWidget* native)
    : TWinControl(parent, new ControlWidget(parent ? parent->widget() : nullptr))
    , m_native(native)
{
    m_native->setParent(widget());
    m_native->setGeometry(0, 0, width(), height());
    m_native->installEventFilter(new NativeKeyFilter(*this));
    m_native->show();
    widget()->setFocusProxy(m_native);
    fontChanged();
}

TNativeControl::~TNativeControl() = default;

void TNativeControl::setEnabled(bool enabled)
{
    TWinControl::setEnabled(enabled);
    m_native->setEnabled(enabled);
}

void TNativeControl::setFocus()
{
    bool const windowActive = m_native->window()->isActiveWindow();
    m_native->setFocus(Qt::OtherFocusReason);
    // As TControl::setFocus: only an inactive window counts the control as focused in advance.
    if (TForm* form = parentForm(); form && !windowActive && !focused())
        TForm::FormEvents::focusMovedTo(*form, this);
}

void TNativeControl::resized() { m_native->setGeometry(0, 0, width(), height()); }

void TNativeControl::fontChanged() { m_native->setFont(toQFont(font())); }

// ---- TLabel ----

TLabel::TLabel(TWinControl* parent, const std::string& caption) : TNativeControl(parent, new QLabel)
{
    setCaption(caption);
    static_cast<QLabel*>(native())->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

std::string TLabel::caption() const { return static_cast<QLabel*>(native())->text().toStdString(); }

void TLabel::setCaption(const std::string& caption)
{
    auto* label = static_cast<QLabel*>(native());
    // Carriage returns break lines as the platform's labels do; "&" marks an access key.
    QString text = q(caption.find('&') == std::string::npos ? caption : stripAccelerator(caption));
    text.replace("\r\n", "\n").replace('\r', '\n');
    label->setText(text);
}

void TLabel::setAlignment(Alignment alignment)
{
    Qt::Alignment h = alignment == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    static_cast<QLabel*>(native())->setAlignment(h | Qt::AlignTop);
}

void TLabel::setWordWrap(bool wrap) { static_cast<QLabel*>(native())->setWordWrap(wrap); }

int TLabel::textWidth() const { return QFontMetrics(native()->font()).horizontalAdvance(static_cast<QLabel*>(native())->text()); }

// ---- TButton ----

TButton::TButton(TWinControl* parent, const std::string& caption) : TNativeControl(parent, new QPushButton)
{
    setCaption(caption);
    auto* button = static_cast<QPushButton*>(native());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, [this] { TApplication::guard([this] { click(); }); });
}

std::string TButton::caption() const { return static_cast<QPushButton*>(native())->text().toStdString(); }
void TButton::setCaption(const std::string& caption) { static_cast<QPushButton*>(native())->setText(q(caption)); }
void TButton::setDefault(bool isDefault) { static_cast<QPushButton*>(native())->setDefault(isDefault); }
bool TButton::isDefault() const { return static_cast<QPushButton*>(native())->isDefault(); }

void TButton::setGlyph(const Bitmap& glyph)
{
    auto* button = static_cast<QPushButton*>(native());
    QPixmap pixmap = QPixmap::fromImage(glyph.impl().settled());
    button->setIcon(QIcon(pixmap));
    button->setIconSize(pixmap.size());
}

void TButton::click()
{
    if (!enabled())
        return;
    TNativeControl::click();
    if (modalResult != 0)
        if (TForm* form = parentForm())
            form->setModalResult(modalResult);
}

// ---- TRadioButton / TCheckBox ----

TRadioButton::TRadioButton(TWinControl* parent, const std::string& caption) : TNativeControl(parent, new QRadioButton(q(caption)))
{
    // Each button sits in a host widget of its own, so siblings share a group explicitly.
    QWidget* host = parent ? parent->widget() : widget();
    auto* group = host->findChild<QButtonGroup*>("qvRadioGroup", Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QButtonGroup(host);
        group->setObjectName("qvRadioGroup");
    }
    group->addButton(static_cast<QRadioButton*>(native()));
    QObject::connect(static_cast<QRadioButton*>(native()), &QRadioButton::clicked, [this] { TApplication::guard([this] { click(); }); });
}

std::string TRadioButton::caption() const { return static_cast<QRadioButton*>(native())->text().toStdString(); }
bool TRadioButton::checked() const { return static_cast<QRadioButton*>(native())->isChecked(); }
void TRadioButton::setChecked(bool checked) { static_cast<QRadioButton*>(native())->setChecked(checked); }

TCheckBox::TCheckBox(TWinControl* parent, const std::string& caption) : TNativeControl(parent, new QCheckBox(q(caption)))
{
    QObject::connect(static_cast<QCheckBox*>(native()), &QCheckBox::clicked, [this] { TApplication::guard([this] { click(); }); });
}

std::string TCheckBox::caption() const { return static_cast<QCheckBox*>(native())->text().toStdString(); }
bool TCheckBox::checked() const { return static_cast<QCheckBox*>(native())->isChecked(); }
void TCheckBox::setChecked(bool checked) { static_cast<QCheckBox*>(native())->setChecked(checked); }

// ---- TEdit ----

TEdit::TEdit(TWinControl* parent) : TNativeControl(parent, new QLineEdit)
{
    setTabStop(true);
    native()->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(static_cast<QLineEdit*>(native()), &QLineEdit::textChanged, [this] {
        if (onChange)
            TApplication::guard(onChange);
    });
}

std::string TEdit::text() const { return static_cast<QLineEdit*>(native())->text().toStdString(); }

void TEdit::setText(const std::string& text)
{
    auto* edit = static_cast<QLineEdit*>(native());
    if (edit->text() != q(text))
        edit->setText(q(text));
}

void TEdit::selectAll() { static_cast<QLineEdit*>(native())->selectAll(); }

int TEdit::selStart() const
{
    auto* edit = static_cast<QLineEdit*>(native());
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int TEdit::selLength() const { return static_cast<int>(static_cast<QLineEdit*>(native())->selectedText().size()); }

// ---- TComboBox ----

TComboBox::TComboBox(TWinControl* parent) : TNativeControl(parent, new QComboBox)
{
    setTabStop(true);
    auto* box = static_cast<QComboBox*>(native());
    QObject::connect(box, QOverload<int>::of(&QComboBox::activated), [this](int) {
        if (onChange)
            TApplication::guard(onChange);
    });
}

int TComboBox::widthToShow(const std::string& item) const
{
    auto* box = static_cast<QComboBox*>(native());
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    QSize const text(box->fontMetrics().horizontalAdvance(q(item)), box->fontMetrics().height());
    return box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, box).width();
}

void TComboBox::clearItems() { static_cast<QComboBox*>(native())->clear(); }
void TComboBox::addItem(const std::string& item) { static_cast<QComboBox*>(native())->addItem(q(item)); }
int TComboBox::itemCount() const { return static_cast<QComboBox*>(native())->count(); }
std::string TComboBox::item(int index) const { return static_cast<QComboBox*>(native())->itemText(index).toStdString(); }
int TComboBox::itemIndex() const { return static_cast<QComboBox*>(native())->currentIndex(); }
void TComboBox::setItemIndex(int index) { static_cast<QComboBox*>(native())->setCurrentIndex(index); }

// ---- containers ----

namespace {

// The classic group box: an etched frame whose top line runs through the middle
// of the caption, and the caption on that line a few pixels in from the left.
// The content keeps the group's own top-left as its origin, as the dialogs that
// place controls at (8, 16) in a group expect; the style's own group box puts
// its frame below a title band and lets the title run into the controls.
class ClassicGroupBox : public QGroupBox {
public:
    explicit ClassicGroupBox(const QString& title) : QGroupBox(title) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        constexpr int captionLeft = 8;
        constexpr int captionPadding = 2;
        QPainter p(this);
        QFontMetrics const metrics(font());
        int const lineY = metrics.height() / 2;
        QRect const frame(0, lineY, width() - 2, height() - lineY - 2);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(frame);
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(frame.translated(1, 1));
        if (title().isEmpty())
            return;
        QString const text = title();
        int const textWidth = metrics.horizontalAdvance(QString(text).remove('&'));
        QRect const band(captionLeft, 0, textWidth + 2 * captionPadding, metrics.height());
        p.fillRect(band, palette().color(QPalette::Window));
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        p.drawText(band, Qt::AlignCenter | Qt::TextShowMnemonic, text);
    }
};

} // namespace

TGroupBox::TGroupBox(TWinControl* parent, const std::string& caption) : TNativeControl(parent, new ClassicGroupBox(q(caption)))
{
    // Children sit on the host above the frame, in the frame's coordinates.
    native()->lower();
}

std::string TGroupBox::caption() const { return static_cast<QGroupBox*>(native())->title().toStdString(); }

TPanel::TPanel(TWinControl* parent) : TWinControl(parent) {}

TStatusBar::TStatusBar(TWinControl* parent) : TNativeControl(parent, new QLabel)
{
    auto* label = static_cast<QLabel*>(native());
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(4);
}

std::string TStatusBar::simpleText() const { return static_cast<QLabel*>(native())->text().toStdString(); }
void TStatusBar::setSimpleText(const std::string& text) { static_cast<QLabel*>(native())->setText(q(text)); }

} // namespace qv
