#include "platform/QtFileDialogs.h"

#include "platform/JapaneseFonts.h"
#include "platform/PlatformServices.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace quorvel {
namespace {

struct Question {
    const char* objectName;
    QString title;
    QStringList filters; // the first is chosen at first
    bool save = false;
};

// The ending a save dialog's filter gives a name without one: "CSV (*.csv)"
// gives "csv". Each filter of a save dialog holds one pattern.
QString SuffixOf(const QString& filter) {
    return filter.section(QStringLiteral("*."), 1).section(QLatin1Char(')'), 0, 0);
}

bool MayReplace(QWidget* owner, const QString& path) {
    QMessageBox box(QMessageBox::Warning, kApplicationTitle,
                    QStringLiteral("「%1」は既にあります。置き換えますか?").arg(QFileInfo(path).fileName()),
                    QMessageBox::NoButton, owner);
    box.setObjectName(QStringLiteral("msgReplace"));
    box.setFont(PGothicFont(9));
    box.setTextFormat(Qt::PlainText);
    QPushButton* replace = box.addButton(QStringLiteral("置き換える(&Y)"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel); // replacing a file is never the default
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == replace;
}

QString Ask(QWidget* owner, const Question& question, QString start) {
    for (;;) {
        QFileDialog dialog(owner, question.title);
        dialog.setObjectName(QString::fromLatin1(question.objectName));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::DontConfirmOverwrite); // asked below, in Japanese
        dialog.setFont(PGothicFont(9));
        dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setNameFilters(question.filters);
        dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("場所:")); // a label Qt gives no access key
        dialog.setLabelText(QFileDialog::FileName, QStringLiteral("ﾌｧｲﾙ名(&N):"));
        dialog.setLabelText(QFileDialog::FileType, QStringLiteral("ﾌｧｲﾙの種類(&T):"));
        dialog.setLabelText(QFileDialog::Accept, question.save ? QStringLiteral("保存(&S)") : QStringLiteral("開く(&O)"));
        dialog.setLabelText(QFileDialog::Reject, QStringLiteral("ｷｬﾝｾﾙ"));
        if (question.save) {
            dialog.setDefaultSuffix(SuffixOf(question.filters.front()));
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                             [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOf(filter)); });
        }
        const QFileInfo begin(start);
        if (begin.isDir()) {
            dialog.setDirectory(start);
        } else if (!start.isEmpty()) {
            dialog.setDirectory(begin.absolutePath());
            dialog.selectFile(begin.fileName());
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        const QString path = dialog.selectedFiles().front();
        if (!question.save || !QFileInfo::exists(path) || MayReplace(owner, path))
            return path;
        start = path; // asked again, at the name not replaced
    }
}

} // namespace

QString QtFileDialogs::OpenFileName(QWidget* owner, const QString& start) {
    return Ask(owner,
               {"dlgOpen", QStringLiteral("開く"),
                {QStringLiteral("見積もり・ｽｷｰﾏ ｽｸﾘﾌﾟﾄ (*.json *.jsonl *.ndjson *.sql)"),
                 QStringLiteral("見積もり (*.json *.jsonl *.ndjson)"), QStringLiteral("ｽｷｰﾏ ｽｸﾘﾌﾟﾄ (*.sql)"),
                 QStringLiteral("すべてのﾌｧｲﾙ (*)")}},
               start);
}

QString QtFileDialogs::SaveFileName(QWidget* owner, const QString& start) {
    return Ask(owner, {"dlgSave", QStringLiteral("名前を付けて保存"), {QStringLiteral("見積もり (*.json)")}, true},
               start);
}

QString QtFileDialogs::ExportFileName(QWidget* owner, const QString& start) {
    return Ask(owner,
               {"dlgExport", QStringLiteral("結果の書き出し"),
                {QStringLiteral("CSV (*.csv)"), QStringLiteral("ﾃｷｽﾄ (*.txt)")}, true},
               start);
}

} // namespace quorvel
