#include "MainWindowSettings.h"

#include "SettingsStore.h"
#include "Twips.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <optional>

namespace quorvel {
namespace {

const QString kApplication = QStringLiteral("Mivrel");
const QString kWindowSection = QStringLiteral("Window");
const QString kLeftKey = QStringLiteral("MainLeft");
const QString kTopKey = QStringLiteral("MainTop");
const QString kSetSection = QStringLiteral("Set");
const QString kToolTipKey = QStringLiteral("ToolTipText");

// Qt cannot place a window farther out than this many pixels; a stored edge
// beyond it is as unusable as one that is not a number.
constexpr double kMaxCoordinatePixels = 16777215.0;

// Positions are single-precision numbers written with up to seven significant
// digits, so "2880" and "-150" and "1234.5" read back as they were written.
QString SingleText(float value) {
    return QString::number(static_cast<double>(value), 'g', 7);
}

std::optional<float> ParseSingle(const QString& text) {
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<bool> ParseBoolean(const QString& stored) {
    const QString text = stored.trimmed();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || std::isnan(number))
        return std::nullopt;
    return number != 0.0;
}

// One edge in twips: the stored text when it is a usable number, else the default.
float ReadEdge(const SettingsStore& settings, const QString& key, float defaultTwips) {
    const QString text = settings.GetSetting(kApplication, kWindowSection, key, SingleText(defaultTwips));
    const std::optional<float> stored = ParseSingle(text);
    if (!stored || std::abs(*stored * ScreenDpi() / 1440.0) > kMaxCoordinatePixels)
        return defaultTwips;
    return *stored;
}

// The screen the window is centred on: the primary screen less its panels.
QRect AvailableScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 640, 480);
}

} // namespace

void RestoreMainWindowSettings(QWidget& window, QAction& hintItem, SettingsStore& settings) {
    const QRect screen = AvailableScreen();
    const QSize frame = window.frameGeometry().size();
    const auto centredLeft = static_cast<float>(
        PixelsToTwips(screen.left()) + (PixelsToTwips(screen.width()) - PixelsToTwips(frame.width())) / 2);
    const auto centredTop = static_cast<float>(
        PixelsToTwips(screen.top()) + (PixelsToTwips(screen.height()) - PixelsToTwips(frame.height())) / 2);

    const float left = ReadEdge(settings, kLeftKey, centredLeft);
    const float top = ReadEdge(settings, kTopKey, centredTop);
    // One move for both edges; the stored place is used as it is, even off screen.
    window.move(TwipsToPixels(left), TwipsToPixels(top));

    const QString hints = settings.GetSetting(kApplication, kSetSection, kToolTipKey, QStringLiteral("True"));
    hintItem.setChecked(ParseBoolean(hints).value_or(true));
}

void SaveMainWindowSettings(const QWidget& window, const QAction& hintItem, SettingsStore& settings) {
    // A minimised window's place says nothing about where the user wants it:
    // the place stored by an earlier run stays.
    if (!window.isMinimized()) {
        const QPoint place = window.pos();
        settings.SaveSetting(kApplication, kWindowSection, kLeftKey,
                             SingleText(static_cast<float>(PixelsToTwips(place.x()))));
        settings.SaveSetting(kApplication, kWindowSection, kTopKey,
                             SingleText(static_cast<float>(PixelsToTwips(place.y()))));
    }
    settings.SaveSetting(kApplication, kSetSection, kToolTipKey,
                         hintItem.isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
}

} // namespace quorvel
