#include "workspace/FieldEditing.h"

#include "calc/NumericText.h"

#include <string>

namespace quorvel {
namespace {

// Limits while a txtData field has the focus, by index.
constexpr std::array<int, 9> kFocusLimit_txtData{9, 4, 4, 4, 3, 4, 4, 4, 3};
// Every txtData1 and txtData2 field takes 4 characters while focused,
// the key-column counts of txtData2 included.
constexpr int kFocusLimit_txtData12 = 4;
constexpr int kFillFactorLengthLimit = 3;

std::string Utf8(const QString& text) { return text.toStdString(); }

int FocusLimit(FieldRef field) {
    if (field.array == FieldArray::txtData)
        return kFocusLimit_txtData[static_cast<std::size_t>(field.index)];
    return kFocusLimit_txtData12;
}

// How much the limit rises when the focus leaves a number field.
int LeavingLimitStep(FieldRef field) {
    return field.array == FieldArray::txtData && field.index == 0 ? 2 : 1;
}

void EnterNumberField(ControlInventory& controls, InputTextBox& field, FieldRef ref) {
    // Written while the limit of the unfocused field still holds. A pasted
    // number whose plain form is longer than that ("-4e10" is "-40000000000")
    // would be cut into a different number, which a run would then use; it
    // stays as it is instead, as leaving keeps one whose grouped form is too long.
    const QString plain = QString::fromStdString(numtext::PlainForm(Utf8(field.text())));
    if (plain.size() <= field.LengthLimit())
        field.SetText(plain);
    field.SetLengthLimit(FocusLimit(ref));
    SetTextSel(field);
    SetEditEnabled(controls, true);
}

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

void EnterFillFactor(ControlInventory& controls, InputTextBox& field) {
    // The fill factor is neither reformatted nor given another limit on entry.
    SetTextSel(field);
    SetEditEnabled(controls, true);
}

void LeaveFillFactor(ControlInventory& controls, InputTextBox& field) {
    SetEditEnabled(controls, false);
    const std::optional<double> value = numtext::ToDouble(Utf8(field.text()));
    if (!value)
        field.SetText(QStringLiteral("0"));
    else if (*value > 100.0)
        field.SetText(QStringLiteral("100"));
    // 100 or less: the text stays exactly as typed ("050" included).
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
    for (const EditCommand command : {EditCommand::Cut, EditCommand::Copy, EditCommand::Paste}) {
        if (QAction* item = controls.MenuItem(command))
            item->setEnabled(enabled);
    }
}

void FieldGotFocus(ControlInventory& controls, FieldRef ref) {
    InputTextBox* field = controls.Field(ref);
    if (!field)
        return;
    if (ref.array == FieldArray::txtFillFactor)
        EnterFillFactor(controls, *field);
    else
        EnterNumberField(controls, *field, ref);
}

void FieldKeyPress(int& keyAscii) {
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (keyAscii != 8 && !digit)
        keyAscii = 0;
}

void FieldLostFocus(ControlInventory& controls, FieldRef ref) {
    InputTextBox* field = controls.Field(ref);
    if (!field)
        return;
    if (ref.array == FieldArray::txtFillFactor)
        LeaveFillFactor(controls, *field);
    else
        LeaveNumberField(controls, *field, LeavingLimitStep(ref));
}

void WireFieldEditing(ControlInventory& controls) {
    QList<QAction*> editItems{controls.MenuItem(EditCommand::Cut), controls.MenuItem(EditCommand::Copy),
                              controls.MenuItem(EditCommand::Paste)};
    controls.ForEachField([&controls, &editItems](InputTextBox& field, FieldRef ref) {
        InputTextBox::Events events;
        events.gotFocus = [&controls, ref] { FieldGotFocus(controls, ref); };
        events.keyPress = [](int& keyAscii) { FieldKeyPress(keyAscii); };
        events.lostFocus = [&controls, ref] { FieldLostFocus(controls, ref); };
        field.SetEvents(std::move(events));
        field.SetContextActions(editItems);
    });
}

int BuiltLengthLimit(FieldRef field) {
    switch (field.array) {
    case FieldArray::txtFillFactor:
        return kFillFactorLengthLimit;
    case FieldArray::txtData1:
        return 5;
    case FieldArray::txtData2:
        return field.index % 3 == 2 ? 4 : 5;
    case FieldArray::txtData:
        break;
    }
    switch (field.index) {
    case 0:
        return 10;
    case 4:
    case 8:
        return 4;
    default:
        return 5;
    }
}

} // namespace quorvel
