#include "resources/Icons.h"

#include <QHash>

namespace quorvel {
namespace {

// Pixel art in XPM, compiled in under ":/icons/": "<name>.xpm" at the base
// size and "<name>@2x.xpm" at twice that; "None" is the transparent colour.
QIcon IconOf(const char* name) {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/%1.xpm").arg(QLatin1String(name)));
    icon.addFile(QStringLiteral(":/icons/%1@2x.xpm").arg(QLatin1String(name)));
    return icon;
}

} // namespace

QIcon ToolbarIcon(const QString& key) {
    static const QHash<QString, const char*> files = {
        {QStringLiteral("End"), "end"},       {QStringLiteral("Calc"), "calc"},
        {QStringLiteral("Clear"), "clear"},   {QStringLiteral("Cut"), "cut"},
        {QStringLiteral("Copy"), "copy"},     {QStringLiteral("Paste"), "paste"},
        {QStringLiteral("SQLEW"), "sqlew"},   {QStringLiteral("ISQLW"), "isqlw"},
        {QStringLiteral("SQLMGR"), "sqlmgr"}, {QStringLiteral("SQLBOOK"), "sqlbook"},
        {QStringLiteral("Help"), "help"},     {QStringLiteral("Version"), "version"},
    };
    const auto file = files.constFind(key);
    if (file == files.constEnd())
        return {};
    return IconOf(file.value());
}

QIcon ProgramIcon() {
    return IconOf("program");
}

QIcon SecondProgramIcon() {
    return IconOf("program2");
}

QPixmap ProgramPixmap(qreal devicePixelRatio) {
    return ProgramIcon().pixmap(QSize(32, 32), devicePixelRatio);
}

QPixmap SecondProgramPixmap(qreal devicePixelRatio) {
    return SecondProgramIcon().pixmap(QSize(32, 32), devicePixelRatio);
}

} // namespace quorvel
