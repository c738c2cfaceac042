#pragma once
// The one-line number field of the main window.
//
// Every input of the calculator (row count, column bytes, column counts, fill
// factors) is one of these. The field itself knows nothing about numbers: it
// keeps its own length limit, which caps typed, pasted and program-written text
// alike but never cuts the text already there when the limit changes; it routes
// every typed character through a key-press hook that may replace or drop it;
// and it reports gaining and losing the focus to hooks that the window wires to
// its field-editing handlers. Clipboard work goes through the window's Edit
// commands only, so the line edit's own cut/copy/paste/undo keys, its context
// menu, middle-button paste and drops are shut off.
//
// It also keeps the field's ForeColor, the 32-bit colour value the section
// modes set (a system colour or an RGB value), shown as the text colour.

#include <QLineEdit>
#include <QList>

#include <cstdint>
#include <functional>

class QAction;

namespace quorvel {

class InputTextBox : public QLineEdit {
    Q_OBJECT

public:
    struct Events {
        std::function<void()> gotFocus;
        // Receives the character code of a typed key; may replace it (0 drops the key).
        std::function<void(int& keyAscii)> keyPress;
        std::function<void()> lostFocus;
    };

    explicit InputTextBox(QWidget* parent = nullptr);

    void SetEvents(Events events);

    // The maximum text length in characters. Changing it leaves the text as it is.
    int LengthLimit() const { return m_lengthLimit; }
    void SetLengthLimit(int limit);

    // Writes text as the program does: cut at the length limit, no key filter,
    // no focus events. Use this, not QLineEdit::setText.
    void SetText(const QString& text);
    // Writes text whole, past the length limit: a text read from a file shows
    // as it was saved. Typing is still capped by the limit.
    void SetTextWhole(const QString& text) { setText(text); }

    // Replaces the selection (or inserts at the cursor) as Paste does, keeping
    // as much of the text as the length limit leaves room for.
    void ReplaceSelection(const QString& text);

    // The field's own Enabled state, as set on the field itself; a disabled
    // frame around it does not change this.
    bool OwnEnabled() const;

    // The 32-bit ForeColor value (0x80000000 + n: system colour n; otherwise
    // RGB as 0x00BBGGRR). Also kept as the dynamic property "ForeColor".
    void SetForeColor(std::uint32_t value);

    // Actions offered by the right-button menu (the window's Cut, Copy, Paste).
    void SetContextActions(QList<QAction*> actions);

    // True from the entry steps to the leaving steps of the field. A popup
    // menu or another application taking the keyboard does not end it.
    bool HoldsFocus() const { return m_holdsFocus; }

    // Runs the leaving steps when the focus moved on without telling this field
    // (it can happen while the window is inactive). Nothing when not focused.
    void EndFocus();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void TypeCharacter(int code);
    void ApplyForeColor();

    Events m_events;
    int m_lengthLimit = 32767;
    std::uint32_t m_foreColor = 0x80000008u;
    QList<QAction*> m_contextActions;
    bool m_holdsFocus = false;
};

} // namespace quorvel
