#pragma once
// Our help window: reads the help file (see HelpFile) and shows it either at
// its contents page or at its keyword search. It is not modal; it belongs to
// the main window and is reused for every help call, reading the file afresh
// each time. A help file that cannot be found or read is reported inside the
// window itself, never in a message box.
//
// Left: a "目次" tab with every topic and a "キーワード" tab with a search
// field over the keyword list. Right: the topic.

#include "platform/HelpFile.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QUrl;

namespace quorvel {

class HelpViewer final : public QWidget {
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* owner = nullptr);

    // The contents page, with the contents tab in front.
    void ShowContents(const QString& helpFile);
    // The keyword tab with keyword typed in its search field (may be empty).
    void ShowKeywordSearch(const QString& helpFile, const QString& keyword);

    // A path with a folder is used as it is. A bare name (start-up found no
    // help file beside the program) is looked for in the current folder, the
    // program's folder and the shared data folders ("quorvel/<name>"), in that
    // order; when none has it, the name comes back unchanged.
    static QString ResolveHelpFile(const QString& helpFile);

private:
    bool OpenFile(const QString& helpFile);
    void ShowFailure(const QString& path);
    void ShowTopic(const QString& id);
    void ShowKeyword(const QString& keyword);
    void FilterKeywords(const QString& partial);
    void ShowCurrentKeyword();
    void FollowLink(const QUrl& link);
    void BringToFront();

    HelpFile m_file;
    QTabWidget* m_tabNavigation = nullptr;
    QListWidget* m_lstContents = nullptr;
    QLineEdit* m_txtKeyword = nullptr;
    QListWidget* m_lstKeywords = nullptr;
    QTextBrowser* m_brwTopic = nullptr;
};

} // namespace quorvel
