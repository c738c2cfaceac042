#pragma once
// What a screen reader says about the main window, taken from what a sighted
// user reads on it.
//
// Every input field is named by the caption beside it, which is the field's
// buddy. Where two fields of one tab share a caption, the field and its
// caption both add the option the field belongs to ("固定長列＋可変長列:
// 固定長列のﾊﾞｲﾄ数の合計"), so a reader going by either hears the same.
// Options keep their captions. The hint of a field or option is its
// description, shown as a tool tip or not. A result cell is read by its
// caption with the figure it shows ("ﾃﾞｰﾀ行のｻｲｽﾞ 158", "ﾚﾍﾞﾙ０(ﾘｰﾌ) 8,220")
// and offers the figure as its value; the status text offers its text. The
// outline boxes are drawing only and say nothing.
//
// Names are distinct within a tab; the tab and its frame, which a reader
// announces on the way in, tell the tabs apart as they do on screen.

#include "workspace/ControlInventory.h"

#include <functional>

namespace quorvel {

// Run once, after the window is built and before it is shown.
void MakeControlsAccessible(ControlInventory& controls);

// Tells assistive tools that a result cell or the status text shows a new
// value: the Calc command announces the four totals and the status text.
void AnnounceValue(QLabel& readOut);

// Assistive tools hear an announcement only while one listens on the
// accessibility bus; a test listens here instead (null: nobody). The value is
// the figure as a number, or the status text.
using AnnouncementListener = std::function<void(const QLabel& readOut, const QVariant& value)>;
void ListenToAnnouncements(AnnouncementListener listener);

} // namespace quorvel
