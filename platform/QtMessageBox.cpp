#include "platform/QtMessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

namespace quorvel {

void QtMessageBox::Show(QWidget* owner, const QString& text, MessageIcon icon, const QString& title) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning, title, text,
                    QMessageBox::Ok, owner);
    box.exec();
}

void QtClipboard::Clear() { QApplication::clipboard()->clear(); }

QString QtClipboard::Text() const { return QApplication::clipboard()->text(); }

void QtClipboard::SetText(const QString& text) { QApplication::clipboard()->setText(text); }

} // namespace quorvel
