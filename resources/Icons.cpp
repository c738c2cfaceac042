#include "Icons.h"

#include <QHash>

namespace quorvel {
namespace {

// Pixel art in XPM, compiled in under ":/icons/"; "None" is the transparent colour.
QString IconPath(const char* name) {
    return QStringLiteral(":/icons/%1.xpm").arg(QLatin1String(name));
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
    return QIcon(QPixmap(IconPath(file.value())));
}

QIcon ProgramIcon() {
    QIcon icon;
    icon.addPixmap(ProgramPixmap());
    return icon;
}

QPixmap ProgramPixmap() {
    return QPixmap(IconPath("program"));
}

QPixmap SecondProgramPixmap() {
    return QPixmap(IconPath("program2"));
}

} // namespace quorvel
