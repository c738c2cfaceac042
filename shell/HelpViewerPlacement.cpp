#include "shell/HelpViewerPlacement.h"

#include <algorithm>
#include <optional>

namespace quorvel {
namespace {

// lo when the span is too long to fit at all.
int Within(int start, int lo, int hiEnd, int length) {
    return std::max(lo, std::min(start, hiEnd + 1 - length));
}

// Right or left of the owner; with mayMove, after moving the owner along x.
// Written for x; below and above are the same with the axes swapped.
std::optional<HelpViewerPlaces> Beside(const QRect& area, const QRect& owner, const QSize& viewer, bool mayMove) {
    const int top = Within(owner.top(), area.top(), area.bottom(), viewer.height());
    const int roomRight = area.right() - owner.right();
    const int roomLeft = owner.left() - area.left();
    int shift = 0; // of the owner along x, when neither side has room
    if (roomRight < viewer.width() && roomLeft < viewer.width()) {
        if (!mayMove || owner.width() + viewer.width() > area.width())
            return std::nullopt;
        const int leftward = viewer.width() - roomRight;
        const int rightward = viewer.width() - roomLeft;
        shift = leftward <= rightward ? -leftward : rightward;
    }
    const QRect moved = owner.translated(shift, 0);
    const bool right = area.right() - moved.right() >= viewer.width();
    return HelpViewerPlaces{moved.topLeft(), {right ? moved.right() + 1 : moved.left() - viewer.width(), top}};
}

QPoint Swapped(const QPoint& p) { return {p.y(), p.x()}; }
QRect Swapped(const QRect& r) { return {Swapped(r.topLeft()), r.size().transposed()}; }

std::optional<HelpViewerPlaces> AboveOrBelow(const QRect& area, const QRect& owner, const QSize& viewer,
                                             bool mayMove) {
    const auto places = Beside(Swapped(area), Swapped(owner), viewer.transposed(), mayMove);
    if (!places)
        return std::nullopt;
    return HelpViewerPlaces{Swapped(places->owner), Swapped(places->viewer)};
}

} // namespace

HelpViewerPlaces PlaceHelpViewer(const QRect& area, const QRect& ownerFrame, const QSize& viewerFrame) {
    for (const bool mayMove : {false, true}) {
        if (const auto places = Beside(area, ownerFrame, viewerFrame, mayMove))
            return *places;
        if (const auto places = AboveOrBelow(area, ownerFrame, viewerFrame, mayMove))
            return *places;
    }
    return {{area.left(), ownerFrame.top()},
            {Within(area.right(), area.left(), area.right(), viewerFrame.width()),
             Within(ownerFrame.top(), area.top(), area.bottom(), viewerFrame.height())}};
}

} // namespace quorvel
