#pragma once
// Ctrl+PgDn and Ctrl+PgUp turn to the next and the previous tab, wrapping
// round as Ctrl+Tab and Ctrl+Shift+Tab do, from wherever the focus is in the
// window. The tab change runs the window's tab logic like a click on a tab.

class QTabWidget;

namespace quorvel {

void AddTabPageKeys(QTabWidget& tabs);

} // namespace quorvel
