#include "workspace/InputTextBox.h"

#include "workspace/ForeColors.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QVariant>

#include <utility>

namespace quorvel {
namespace {

// Keys the line edit may handle itself even with Ctrl held: they move the
// cursor or delete, never touch the clipboard.
bool IsEditingKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

bool ReachesClipboardOrHistory(const QKeyEvent& event) {
    return event.matches(QKeySequence::Cut) || event.matches(QKeySequence::Copy) ||
           event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Undo) ||
           event.matches(QKeySequence::Redo);
}

// The character codes a key makes, as a desktop text box receives them: the
// printable characters, Backspace 8, Enter 13, Escape 27 and Ctrl+letter 1-26.
// Empty for keys that make no character (cursor keys, Delete, function keys).
QList<int> CharacterCodes(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool altOrMeta = modifiers.testFlag(Qt::AltModifier) || modifiers.testFlag(Qt::MetaModifier);
    const int key = event.key();
    if (key == Qt::Key_Backspace)
        return {control ? 127 : 8};
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return {control ? 10 : 13};
    if (key == Qt::Key_Escape)
        return {27};
    if (control && !altOrMeta && key >= Qt::Key_A && key <= Qt::Key_Z)
        return {key - Qt::Key_A + 1};
    if (control || altOrMeta)
        return {};
    const QString text = event.text();
    if (text.isEmpty())
        return {};
    QList<int> codes;
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return {}; // Delete and friends arrive with a control "text"
        codes.append(c.unicode());
    }
    return codes;
}

} // namespace

InputTextBox::InputTextBox(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(false);
    setDragEnabled(false);
    SetForeColor(m_foreColor);
}

void InputTextBox::SetEvents(Events events) { m_events = std::move(events); }

void InputTextBox::SetLengthLimit(int limit) { m_lengthLimit = limit; }

void InputTextBox::SetText(const QString& text) { setText(text.left(m_lengthLimit)); }

void InputTextBox::ReplaceSelection(const QString& text) {
    const qsizetype kept = this->text().size() - selectedText().size();
    const qsizetype room = qMax<qsizetype>(0, m_lengthLimit - kept);
    // insert() with an empty text still removes the selection, as Paste of an
    // empty clipboard and Cut need.
    insert(text.left(room));
}

bool InputTextBox::OwnEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

void InputTextBox::SetForeColor(std::uint32_t value) {
    m_foreColor = value;
    setProperty("ForeColor", QVariant::fromValue(static_cast<uint>(value)));
    ApplyForeColor();
}

void InputTextBox::ApplyForeColor() {
    QPalette colours = palette();
    // Every colour group: a dimmed field is disabled and must still show its colour.
    colours.setColor(QPalette::Text, ColorFromValue(m_foreColor));
    setPalette(colours);
}

void InputTextBox::SetContextActions(QList<QAction*> actions) { m_contextActions = std::move(actions); }

void InputTextBox::EndFocus() {
    if (!m_holdsFocus)
        return;
    m_holdsFocus = false;
    if (m_events.lostFocus)
        m_events.lostFocus();
}

bool InputTextBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Ctrl+X/C/V and the other modified keys belong to the window's
        // shortcuts (the Edit commands), not to the line edit's own handling.
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        const bool modified = modifiers.testFlag(Qt::ControlModifier) || modifiers.testFlag(Qt::AltModifier) ||
                              modifiers.testFlag(Qt::MetaModifier);
        if (modified && !IsEditingKey(key->key())) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void InputTextBox::keyPressEvent(QKeyEvent* event) {
    if (ReachesClipboardOrHistory(*event)) {
        event->accept();
        return;
    }
    const QList<int> codes = CharacterCodes(*event);
    if (codes.isEmpty()) {
        // With Alt or Meta a key makes no character, as on the desktop; the
        // line edit would type it past the key filter.
        const bool altOrMeta = (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) != 0;
        if (altOrMeta && !event->text().isEmpty() && event->text().front().isPrint())
            event->ignore();
        else
            QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    for (const int code : codes)
        TypeCharacter(code);
}

void InputTextBox::TypeCharacter(int code) {
    int keyAscii = code;
    if (m_events.keyPress)
        m_events.keyPress(keyAscii);
    if (keyAscii == 0)
        return;
    if (keyAscii == 8) {
        backspace();
        return;
    }
    if (keyAscii < 32 || keyAscii == 127)
        return; // a one-line field holds no control characters
    const qsizetype kept = text().size() - selectedText().size();
    if (kept >= m_lengthLimit)
        return; // full: the key is refused, the text stays
    insert(QString(QChar(static_cast<char16_t>(keyAscii))));
}

void InputTextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    if (m_holdsFocus)
        return; // back from a popup menu or another application
    m_holdsFocus = true;
    if (m_events.gotFocus)
        m_events.gotFocus();
}

void InputTextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    switch (event->reason()) {
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
    case Qt::MenuBarFocusReason:
        // A menu opening or another window taking the keyboard: the field
        // keeps its place as the window's active control.
        return;
    default:
        EndFocus();
    }
}

void InputTextBox::contextMenuEvent(QContextMenuEvent* event) {
    if (m_contextActions.isEmpty()) {
        event->ignore();
        return;
    }
    QMenu::exec(m_contextActions, event->globalPos(), nullptr, this);
}

void InputTextBox::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button would paste the selection clipboard past the limit.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace quorvel
