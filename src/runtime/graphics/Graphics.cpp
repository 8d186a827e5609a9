#include "runtime/graphics/Graphics.h"
#include "runtime/graphics/QtGraphics.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>

#include <algorithm>
#include <array>
#include <clocale>
#include <map>
#include <mutex>
#include <string>

namespace qv {

namespace {

constexpr TColor rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

// A classic grey desktop scheme, fixed so pictures look the same on every machine.
constexpr std::array<TColor, 31> systemPalette = {
    rgb(212, 208, 200), // scroll bar
    rgb(58, 110, 165),  // background
    rgb(10, 36, 106),   // active caption
    rgb(128, 128, 128), // inactive caption
    rgb(212, 208, 200), // menu
    rgb(255, 255, 255), // window
    rgb(0, 0, 0),       // window frame
    rgb(0, 0, 0),       // menu text
    rgb(0, 0, 0),       // window text
    rgb(255, 255, 255), // caption text
    rgb(212, 208, 200), // active border
    rgb(212, 208, 200), // inactive border
    rgb(128, 128, 128), // application workspace
    rgb(10, 36, 106),   // highlight
    rgb(255, 255, 255), // highlight text
    rgb(212, 208, 200), // button face
    rgb(128, 128, 128), // button shadow
    rgb(128, 128, 128), // grey text
    rgb(0, 0, 0),       // button text
    rgb(212, 208, 200), // inactive caption text
    rgb(255, 255, 255), // button highlight
    rgb(64, 64, 64),    // 3D dark shadow
    rgb(212, 208, 200), // 3D light
    rgb(0, 0, 0),       // info text
    rgb(255, 255, 225), // info background
    rgb(181, 181, 181), // (unused slot)
    rgb(0, 0, 128),     // hot light
    rgb(166, 202, 240), // gradient active caption
    rgb(192, 192, 192), // gradient inactive caption
    rgb(49, 106, 197),  // menu highlight
    rgb(236, 233, 216), // menu bar
};

} // namespace

TColor colorToRGB(TColor color)
{
    if ((color & 0xFF000000u) == 0xFF000000u) {
        unsigned index = color & 0xFFu;
        return index < systemPalette.size() ? systemPalette[index] : clBlack;
    }
    return color & 0x00FFFFFFu;
}

QColor toQColor(TColor color)
{
    TColor c = colorToRGB(color);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TColor fromQRgb(QRgb p) { return rgb(qRed(p), qGreen(p), qBlue(p)); }

QRect toQRect(const TRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

TRect fromQRect(const QRect& r) { return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

namespace {

QString familyFor(const std::string& name)
{
    static const std::array<std::pair<const char*, const char*>, 8> substitutes = {{
        {"Arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Microsoft Sans Serif", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},
        {"Verdana", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Courier", "Liberation Mono"},
    }};
    QString wanted = QString::fromStdString(name);
    for (auto [from, to] : substitutes) {
        if (wanted.compare(QLatin1String(from), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(to);
    }
    return wanted.isEmpty() ? QStringLiteral("Liberation Sans") : wanted;
}

QString faceKey(const QFont& face)
{
    return face.family() + QLatin1Char('/') + QString::number(face.bold()) + QString::number(face.italic())
        + QString::number(face.fixedPitch());
}

// The em size whose drawn cell (ascent plus descent) is the given height, or the
// nearest below it: hinting rounds ascent and descent up, so the size nearest by
// the face's proportions can draw a pixel taller than asked. Asked once per face
// and height.
int pixelSizeForCell(QFont face, int cellHeight)
{
    static std::mutex guard;
    static std::map<std::pair<QString, int>, int> sizes;
    std::pair<QString, int> key{faceKey(face), cellHeight};
    std::lock_guard lock(guard);
    auto known = sizes.find(key);
    if (known != sizes.end())
        return known->second;
    constexpr int probeSize = 1000;
    QFont probe(face);
    probe.setPixelSize(probeSize);
    probe.setHintingPreference(QFont::PreferNoHinting);
    QFontMetricsF const proportions(probe);
    qreal perEm = (proportions.ascent() + proportions.descent()) / probeSize;
    if (!(perEm > 0.5 && perEm < 4))
        perEm = 1; // a face without usable metrics: take the cell as the em
    int pixels = std::max(1, qRound(cellHeight / perEm));
    for (; pixels > 1; --pixels) {
        face.setPixelSize(pixels);
        QFontMetrics const drawn(face);
        if (drawn.ascent() + drawn.descent() <= cellHeight)
            break;
    }
    sizes.emplace(std::move(key), pixels);
    return pixels;
}

} // namespace

Font platformUiFont()
{
    ensureGraphicsApplication();
    QFont const ui = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    Font font;
    font.name = ui.family().toStdString();
    int const points = qRound(ui.pointSizeF());
    font.size = points > 0 ? points : 9;
    return font;
}

bool languageNeedsNativeFont(const std::string& language)
{
    if (language.empty())
        return false;
    QLocale const locale(QString::fromStdString(language));
    if (locale.language() == QLocale::C)
        return false;
    switch (locale.script()) {
    case QLocale::LatinScript:
    case QLocale::CyrillicScript:
    case QLocale::GreekScript:
    case QLocale::AnyScript:
        return false;
    default:
        return true;
    }
}

QFont toQFont(const Font& font)
{
    ensureGraphicsApplication();
    QFont q(familyFor(font.name));
    q.setBold(font.style & fsBold);
    q.setItalic(font.style & fsItalic);
    q.setUnderline(font.style & fsUnderline);
    q.setStrikeOut(font.style & fsStrikeOut);
    q.setHintingPreference(QFont::PreferFullHinting);
    if (font.pitch == fpFixed) {
        q.setFixedPitch(true);
        q.setStyleHint(QFont::Monospace);
    }
    int pixels = 0;
    if (font.cellHeight > 0)
        pixels = pixelSizeForCell(q, font.cellHeight);
    else if (font.height > 0)
        pixels = font.height;
    else // points at 96 dpi, rounded like the platform rounds a font height
        pixels = (font.size * 96 + 36) / 72;
    q.setPixelSize(pixels > 0 ? pixels : 1);
    return q;
}

void ensureGraphicsApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 3;
    static char arg0[] = "quorvane";
    static char arg1[] = "-platform";
    static char arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    // Qt sets the process locale from the environment; the caller's choice stands.
    std::string savedLocale = std::setlocale(LC_ALL, nullptr);
    // Start-up notices of the off-screen platform would only clutter a tool's error output.
    QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
    qInstallMessageHandler(previous);
    std::setlocale(LC_ALL, savedLocale.c_str());
}

} // namespace qv
