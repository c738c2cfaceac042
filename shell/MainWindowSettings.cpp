#include "shell/MainWindowSettings.h"

#include "calc/NumericText.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "shell/WindowPlacement.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace quorvel {
namespace {

const QString kApplication = QStringLiteral("Mivrel");
const QString kWindowSection = QStringLiteral("Window");
const QString kLeftKey = QStringLiteral("MainLeft");
const QString kTopKey = QStringLiteral("MainTop");
const QString kSetSection = QStringLiteral("Set");
const QString kToolTipKey = QStringLiteral("ToolTipText");

// Positions are single-precision numbers written with up to seven significant
// digits, so "2880" and "-150" and "1234.5" read back as they were written.
QString SingleText(double value) {
    return QString::number(static_cast<double>(static_cast<float>(value)), 'g', 7);
}

std::optional<double> NumberOf(const QString& text) {
    const std::optional<double> value = numtext::ToDouble(text.toStdString());
    if (!value || !std::isfinite(static_cast<float>(*value)))
        return std::nullopt;
    return static_cast<double>(static_cast<float>(*value));
}

// Whether some screen would show a part of the window's frame at place.
bool AnyScreenShows(const QRectF& frame) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&frame](const QScreen* screen) {
        return frame.intersects(QRectF(screen->geometry()));
    });
}

} // namespace

std::optional<double> MainWindowSettings::Edge(const QString& key) const {
    // A key never written reads as the empty text, which is no number.
    return NumberOf(m_store.GetSetting(kApplication, kWindowSection, key, QString()));
}

StoredPosition MainWindowSettings::Position() const {
    return {Edge(kLeftKey), Edge(kTopKey)};
}

void MainWindowSettings::SetPosition(QPointF twips) {
    m_store.SaveSetting(kApplication, kWindowSection, kLeftKey, SingleText(twips.x()));
    m_store.SaveSetting(kApplication, kWindowSection, kTopKey, SingleText(twips.y()));
}

std::optional<bool> MainWindowSettings::HintsShown() const {
    const QString text =
        m_store.GetSetting(kApplication, kSetSection, kToolTipKey, QStringLiteral("True")).trimmed();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<double> number = NumberOf(text))
        return *number != 0.0;
    return std::nullopt;
}

void MainWindowSettings::SetHintsShown(bool shown) {
    m_store.SaveSetting(kApplication, kSetSection, kToolTipKey,
                        shown ? QStringLiteral("True") : QStringLiteral("False"));
}

void MainWindowSettings::Flush() {
    m_store.Flush();
}

void RestoreMainWindowSettings(QWidget& window, QAction& hintItem, SettingsStore& settings) {
    const MainWindowSettings stored(settings);
    const StoredPosition position = stored.Position();
    const QSize frame = window.frameGeometry().size();
    const QPoint centred = CentredFramePosition(AvailableArea(window), frame);
    const double scale = ScreenDpi() / 1440.0;
    const QPointF place(position.left ? *position.left * scale : centred.x(),
                        position.top ? *position.top * scale : centred.y());
    if ((!position.left && !position.top) || !AnyScreenShows(QRectF(place, QSizeF(frame))))
        CentreOnScreen(window);
    else // one move for both edges
        window.move(TwipsToPixels(place.x() / scale), TwipsToPixels(place.y() / scale));

    hintItem.setChecked(stored.HintsShown().value_or(true));
}

void SaveMainWindowSettings(const QWidget& window, const QAction& hintItem, SettingsStore& settings) {
    MainWindowSettings stored(settings);
    // A minimised window's place says nothing about where the user wants it:
    // the place stored by an earlier run stays.
    if (!window.isMinimized()) {
        stored.SetPosition(QPointF(PixelsToTwips(window.x()), PixelsToTwips(window.y())));
    }
    stored.SetHintsShown(hintItem.isChecked());
    stored.Flush();
}

} // namespace quorvel
