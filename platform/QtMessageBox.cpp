#include "platform/QtMessageBox.h"

#include "platform/JapaneseFonts.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>

namespace quorvel {

void QtMessageBox::Show(QWidget* owner, const QString& text, MessageIcon icon, const QString& title) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning, title, text,
                    QMessageBox::Ok, owner);
    box.setFont(PGothicFont(9)); // as the program's other dialogs
    box.setTextFormat(Qt::PlainText); // a file name may hold "<"
    box.exec();
}

SaveChangesAnswer QtMessageBox::AskSaveChanges(QWidget* owner, const QString& document) {
    QMessageBox box(QMessageBox::Warning, kApplicationTitle,
                    QStringLiteral("「%1」への変更を保存しますか?").arg(document), QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("msgSaveChanges"));
    box.setFont(PGothicFont(9));
    box.setTextFormat(Qt::PlainText); // a file name may hold "<"
    box.setInformativeText(QStringLiteral("保存しないと、変更は失われます。"));
    QPushButton* save = box.addButton(QStringLiteral("保存(&S)"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("破棄(&D)"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
    save->setObjectName(QStringLiteral("cmdSave"));
    discard->setObjectName(QStringLiteral("cmdDiscard"));
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChangesAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveChangesAnswer::Discard;
    return SaveChangesAnswer::Cancel;
}

bool QtMessageBox::AskRestore(QWidget* owner, const QString& document) {
    QMessageBox box(QMessageBox::Question, kApplicationTitle,
                    QStringLiteral("「%1」に保存されていない変更があります。").arg(document), QMessageBox::NoButton,
                    owner);
    box.setObjectName(QStringLiteral("msgRestore"));
    box.setFont(PGothicFont(9));
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(
        QStringLiteral("前回は変更を保存しないまま終了しました。変更を復元しますか? 破棄すると、変更は失われます。"));
    QPushButton* restore = box.addButton(QStringLiteral("復元(&R)"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("破棄(&D)"), QMessageBox::RejectRole);
    restore->setObjectName(QStringLiteral("cmdRestore"));
    discard->setObjectName(QStringLiteral("cmdDiscard"));
    box.setDefaultButton(restore);
    box.setEscapeButton(discard);
    box.exec();
    return box.clickedButton() == restore;
}

void QtClipboard::Clear() { QApplication::clipboard()->clear(); }

QString QtClipboard::Text() const { return QApplication::clipboard()->text(); }

void QtClipboard::SetText(const QString& text) { QApplication::clipboard()->setText(text); }

} // namespace quorvel
