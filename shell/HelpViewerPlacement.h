#pragma once
// Where the help window opens: beside the main window, so that the fields the
// user reads about stay in view. A pure function of the available area of the
// main window's screen and of the two frames (title bars and borders
// included); HelpViewerHost applies it when it first shows the help window.
//
// In order of preference, the help window stands
//   1. right of the main window, else left of it, else below it, else above
//      it, wherever it fits as things stand;
//   2. right or left of it once the main window has moved toward a screen
//      edge, by as little as it must (the smaller move wins, right on a tie);
//      else below or above it after the same kind of move;
//   3. at the screen's right edge with the main window at its left edge: the
//      two overlap over the main window's right part (the level column), and
//      as much of its left part (the input fields) stays in view as the
//      screen allows.
// The help window lies on the screen as far as its size allows; its edge
// across the side it stands on lines up with the main window's.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorvel {

// The top-left corners of the two frames.
struct HelpViewerPlaces {
    QPoint owner;
    QPoint viewer;
    friend bool operator==(const HelpViewerPlaces&, const HelpViewerPlaces&) = default;
};

HelpViewerPlaces PlaceHelpViewer(const QRect& area, const QRect& ownerFrame, const QSize& viewerFrame);

} // namespace quorvel
