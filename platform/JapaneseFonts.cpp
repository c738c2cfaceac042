#include "platform/JapaneseFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace quorvel {
namespace {

QString PickFamily(const QStringList& preferred) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    return japanese.isEmpty() ? QString() : japanese.first();
}

QFont MakeFont(const QString& family, double pointSize, bool bold) {
    QFont font;
    if (!family.isEmpty())
        font.setFamilies({family});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont GothicFont(double pointSize, bool bold) {
    static const QString family =
        PickFamily({QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    return MakeFont(family, pointSize, bold);
}

QFont PGothicFont(double pointSize, bool bold) {
    static const QString family =
        PickFamily({QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP")});
    return MakeFont(family, pointSize, bold);
}

} // namespace quorvel
