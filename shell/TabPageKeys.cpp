#include "shell/TabPageKeys.h"

#include <QShortcut>
#include <QTabWidget>

namespace quorvel {

void AddTabPageKeys(QTabWidget& tabs) {
    const auto turn = [&tabs](int step) {
        const int count = tabs.count();
        if (count > 1)
            tabs.setCurrentIndex((tabs.currentIndex() + step + count) % count);
    };
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), &tabs);
    next->setContext(Qt::WindowShortcut);
    QObject::connect(next, &QShortcut::activated, &tabs, [turn] { turn(1); });
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), &tabs);
    previous->setContext(Qt::WindowShortcut);
    QObject::connect(previous, &QShortcut::activated, &tabs, [turn] { turn(-1); });
}

} // namespace quorvel
