#include "FieldEditing.h"

#include "NumericText.h"

#include <string>

namespace quorvel {
namespace {

// Limits while a txtData field has the focus, by index.
constexpr std::array<int, 9> kFocusLimit_txtData{9, 4, 4, 4, 3, 4, 4, 4, 3};
// Every txtData1 and txtData2 field takes 4 characters while focused,
// the key-column counts of txtData2 included.
constexpr int kFocusLimit_txtData12 = 4;

std::string Utf8(const QString& text) { return text.toStdString(); }

template <std::size_t N>
InputTextBox* FieldAt(const std::array<InputTextBox*, N>& fields, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return nullptr;
    return fields[static_cast<std::size_t>(index)];
}

// Entry steps shared by txtData, txtData1 and txtData2.
void EnterNumberField(ControlInventory& controls, InputTextBox& field, int focusLimit) {
    // Written while the limit of the unfocused field still holds; the plain
    // form is never longer than the grouped one.
    field.SetText(QString::fromStdString(numtext::PlainForm(Utf8(field.text()))));
    field.SetLengthLimit(focusLimit);
    SetTextSel(field);
    SetEditEnabled(controls, true);
}

// Leaving steps shared by txtData, txtData1 and txtData2.
void LeaveNumberField(ControlInventory& controls, InputTextBox& field, int limitStep) {
    SetEditEnabled(controls, false);
    field.SetLengthLimit(field.LengthLimit() + limitStep);
    const std::string text = Utf8(field.text());
    if (!numtext::IsNumeric(text)) {
        field.SetText(QStringLiteral("0"));
        return;
    }
    const QString grouped = QString::fromStdString(numtext::GroupedForm(text));
    // A number whose grouped form is longer than the field holds (a pasted
    // "1e12", "-1234") would be cut into a different number that a run would
    // then use. It stays as entered instead, so the check before a run sees
    // the real value and refuses it.
    if (grouped.size() <= field.LengthLimit())
        field.SetText(grouped);
}

} // namespace

void SetTextSel(QLineEdit& field) {
    // The selection length counts the text's bytes in the double-byte code
    // page, never fewer than its characters, and the selection stops at the
    // end of the text: the whole text is selected, the cursor at its end.
    field.setSelection(0, static_cast<int>(field.text().size()));
}

void SetEditEnabled(ControlInventory& controls, bool enabled) {
    for (const char* key : {"Cut", "Copy", "Paste"}) {
        if (QAction* button = controls.ToolbarButton(QString::fromLatin1(key)))
            button->setEnabled(enabled);
    }
    for (std::size_t item = 2; item <= 4; ++item) {
        if (controls.mnuEditItem[item])
            controls.mnuEditItem[item]->setEnabled(enabled);
    }
}

void FilterFieldKey(int& keyAscii) {
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (keyAscii != 8 && !digit)
        keyAscii = 0;
}

void txtData_GotFocus(ControlInventory& controls, int index) {
    if (InputTextBox* field = FieldAt(controls.txtData, index))
        EnterNumberField(controls, *field, kFocusLimit_txtData[static_cast<std::size_t>(index)]);
}

void txtData_KeyPress(int /*index*/, int& keyAscii) { FilterFieldKey(keyAscii); }

void txtData_LostFocus(ControlInventory& controls, int index) {
    if (InputTextBox* field = FieldAt(controls.txtData, index))
        LeaveNumberField(controls, *field, index == 0 ? 2 : 1);
}

void txtData1_GotFocus(ControlInventory& controls, int index) {
    if (InputTextBox* field = FieldAt(controls.txtData1, index))
        EnterNumberField(controls, *field, kFocusLimit_txtData12);
}

void txtData1_KeyPress(int /*index*/, int& keyAscii) { FilterFieldKey(keyAscii); }

void txtData1_LostFocus(ControlInventory& controls, int index) {
    if (InputTextBox* field = FieldAt(controls.txtData1, index))
        LeaveNumberField(controls, *field, 1);
}

void txtData2_GotFocus(ControlInventory& controls, int index) {
    if (InputTextBox* field = FieldAt(controls.txtData2, index))
        EnterNumberField(controls, *field, kFocusLimit_txtData12);
}

void txtData2_KeyPress(int /*index*/, int& keyAscii) { FilterFieldKey(keyAscii); }

void txtData2_LostFocus(ControlInventory& controls, int index) {
    if (InputTextBox* field = FieldAt(controls.txtData2, index))
        LeaveNumberField(controls, *field, 1);
}

void txtFillFactor_GotFocus(ControlInventory& controls, int index) {
    // The fill factor is neither reformatted nor given another limit on entry.
    if (InputTextBox* field = FieldAt(controls.txtFillFactor, index)) {
        SetTextSel(*field);
        SetEditEnabled(controls, true);
    }
}

void txtFillFactor_KeyPress(int /*index*/, int& keyAscii) { FilterFieldKey(keyAscii); }

void txtFillFactor_LostFocus(ControlInventory& controls, int index) {
    InputTextBox* field = FieldAt(controls.txtFillFactor, index);
    if (!field)
        return;
    SetEditEnabled(controls, false);
    const std::optional<double> value = numtext::ToDouble(Utf8(field->text()));
    if (!value)
        field->SetText(QStringLiteral("0"));
    else if (*value > 100.0)
        field->SetText(QStringLiteral("100"));
    // 100 or less: the text stays exactly as typed ("050" included).
}

int BuiltLengthLimit_txtData(int index) {
    switch (index) {
    case 0:
        return 10;
    case 4:
    case 8:
        return 4;
    default:
        return 5;
    }
}

int BuiltLengthLimit_txtData2(int index) { return index % 3 == 2 ? 4 : 5; }

} // namespace quorvel
