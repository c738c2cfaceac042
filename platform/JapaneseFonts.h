#pragma once
// The two Japanese faces of the user interface: the fixed-pitch Gothic
// (IPAGothic) and the proportional Gothic (IPAPGothic), falling back to any
// installed font that can write Japanese.

#include <QFont>

namespace quorvel {

QFont GothicFont(double pointSize, bool bold = false);
QFont PGothicFont(double pointSize, bool bold = false);

} // namespace quorvel
