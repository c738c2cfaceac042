#include "shell/HelpViewer.h"

#include "platform/JapaneseFonts.h"
#include "resources/Icons.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel {
namespace {

const QString kTopicScheme = QStringLiteral("topic");
constexpr int kContentsTab = 0;
constexpr int kKeywordTab = 1;

QString FailureText(HelpFile::Status status, const QString& path) {
    const QString name = path.toHtmlEscaped();
    switch (status) {
    case HelpFile::Status::NotFound:
        return QStringLiteral(
                   "<h2>ヘルプ ファイルが見つかりません</h2>"
                   "<p>ヘルプ ファイル「%1」が見つかりません。</p>"
                   "<p>Mivrel.hlp をプログラムと同じフォルダーに置いてから、もう一度お試しください。</p>")
            .arg(name);
    case HelpFile::Status::Unreadable:
        return QStringLiteral("<h2>ヘルプ ファイルを読み込めません</h2>"
                              "<p>ヘルプ ファイル「%1」を読み込めません。</p>"
                              "<p>ファイルの読み取り権限を確かめてください。</p>")
            .arg(name);
    case HelpFile::Status::NotHelpFile:
    case HelpFile::Status::Loaded:
        break;
    }
    return QStringLiteral("<h2>ヘルプ ファイルを表示できません</h2>"
                          "<p>「%1」は、このプログラムのヘルプ ファイルではないか、内容が壊れています。</p>")
        .arg(name);
}

} // namespace

HelpViewer::HelpViewer(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Quorvel ヘルプ"));
    setWindowIcon(ProgramIcon());
    // The help window never keeps the program alive once the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(PGothicFont(10));
    resize(760, 540);

    m_tabNavigation = new QTabWidget;
    m_tabNavigation->setObjectName(QStringLiteral("tabNavigation"));

    m_lstContents = new QListWidget;
    m_lstContents->setObjectName(QStringLiteral("lstContents"));
    m_tabNavigation->addTab(m_lstContents, QStringLiteral("目次"));

    auto* keywordPage = new QWidget;
    auto* keywordLayout = new QVBoxLayout(keywordPage);
    auto* prompt = new QLabel(QStringLiteral("調べる語句の一部を入力してください(&W):"));
    m_txtKeyword = new QLineEdit;
    m_txtKeyword->setObjectName(QStringLiteral("txtKeyword"));
    m_txtKeyword->setClearButtonEnabled(true);
    prompt->setBuddy(m_txtKeyword);
    m_lstKeywords = new QListWidget;
    m_lstKeywords->setObjectName(QStringLiteral("lstKeywords"));
    // Long message texts are keywords too: the list scrolls sideways rather
    // than cutting them off.
    m_lstKeywords->setTextElideMode(Qt::ElideNone);
    m_lstKeywords->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    keywordLayout->addWidget(prompt);
    keywordLayout->addWidget(m_txtKeyword);
    keywordLayout->addWidget(m_lstKeywords);
    m_tabNavigation->addTab(keywordPage, QStringLiteral("キーワード"));

    m_brwTopic = new QTextBrowser;
    m_brwTopic->setObjectName(QStringLiteral("brwTopic"));
    m_brwTopic->setOpenLinks(false);
    m_brwTopic->setFont(PGothicFont(10.5));
    m_brwTopic->document()->setDefaultStyleSheet(
        QStringLiteral("h2 { color: #000080; } h3 { color: #000080; } a { color: #0000ff; }"));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_tabNavigation);
    splitter->addWidget(m_brwTopic);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 520});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    connect(m_lstContents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowTopic(item->data(Qt::UserRole).toString()); });
    connect(m_lstContents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowTopic(item->data(Qt::UserRole).toString()); });
    connect(m_txtKeyword, &QLineEdit::textChanged, this,
            [this](const QString& text) { FilterKeywords(text); });
    connect(m_txtKeyword, &QLineEdit::returnPressed, this, [this] { ShowCurrentKeyword(); });
    connect(m_lstKeywords, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowKeyword(item->text()); });
    connect(m_lstKeywords, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowKeyword(item->text()); });
    connect(m_brwTopic, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { FollowLink(link); });
    // Esc closes the window, as it closes a dialog.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

QString HelpViewer::ResolveHelpFile(const QString& helpFile) {
    if (helpFile.isEmpty() || helpFile.contains(QLatin1Char('/')))
        return helpFile;
    QStringList places = {QDir::current().filePath(helpFile),
                          QDir(QCoreApplication::applicationDirPath()).filePath(helpFile)};
    const QString shared =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("quorvel/") + helpFile);
    if (!shared.isEmpty())
        places.append(shared);
    for (const QString& place : places) {
        if (QFileInfo::exists(place))
            return place;
    }
    return helpFile;
}

bool HelpViewer::OpenFile(const QString& helpFile) {
    const QString path = ResolveHelpFile(helpFile);
    m_file = HelpFile::Load(path);
    m_lstContents->clear();
    m_lstKeywords->clear();
    if (m_file.GetStatus() != HelpFile::Status::Loaded) {
        ShowFailure(path);
        return false;
    }
    for (const HelpTopic& topic : m_file.Topics()) {
        auto* item = new QListWidgetItem(topic.title, m_lstContents);
        item->setData(Qt::UserRole, topic.id);
    }
    FilterKeywords(m_txtKeyword->text());
    return true;
}

void HelpViewer::ShowFailure(const QString& path) {
    setWindowTitle(QStringLiteral("Quorvel ヘルプ"));
    m_brwTopic->setHtml(FailureText(m_file.GetStatus(), path));
}

void HelpViewer::ShowContents(const QString& helpFile) {
    m_tabNavigation->setCurrentIndex(kContentsTab);
    if (OpenFile(helpFile)) {
        if (const HelpTopic* contents = m_file.ContentsTopic())
            ShowTopic(contents->id);
        else
            m_brwTopic->setHtml(QStringLiteral("<p>このヘルプ ファイルには項目がありません。</p>"));
    }
    BringToFront();
    m_lstContents->setFocus();
}

void HelpViewer::ShowKeywordSearch(const QString& helpFile, const QString& keyword) {
    m_tabNavigation->setCurrentIndex(kKeywordTab);
    m_txtKeyword->setText(keyword);
    if (OpenFile(helpFile)) {
        // The page beside the list starts at the contents until a keyword is chosen.
        if (const HelpTopic* contents = m_file.ContentsTopic())
            ShowTopic(contents->id);
    }
    BringToFront();
    m_txtKeyword->selectAll();
    m_txtKeyword->setFocus();
}

void HelpViewer::ShowTopic(const QString& id) {
    const HelpTopic* topic = m_file.FindTopic(id);
    if (topic == nullptr)
        return;
    m_brwTopic->setHtml(topic->html);
    setWindowTitle(QStringLiteral("Quorvel ヘルプ - %1").arg(topic->title));
}

void HelpViewer::ShowKeyword(const QString& keyword) {
    const auto& keywords = m_file.Keywords();
    const auto entry =
        std::find_if(keywords.begin(), keywords.end(),
                     [&keyword](const HelpKeyword& candidate) { return candidate.keyword == keyword; });
    if (entry == keywords.end())
        return;
    if (entry->topicIds.size() == 1) {
        ShowTopic(entry->topicIds.front());
        return;
    }
    // Several topics share the keyword: the page lists them to choose from.
    QString html =
        QStringLiteral("<h2>「%1」</h2><p>次の項目に説明があります。</p><ul>").arg(keyword.toHtmlEscaped());
    for (const QString& id : entry->topicIds) {
        if (const HelpTopic* topic = m_file.FindTopic(id))
            html +=
                QStringLiteral("<li><a href=\"topic:%1\">%2</a></li>").arg(id, topic->title.toHtmlEscaped());
    }
    html += QStringLiteral("</ul>");
    m_brwTopic->setHtml(html);
}

void HelpViewer::FilterKeywords(const QString& partial) {
    m_lstKeywords->clear();
    for (const HelpKeyword& entry : m_file.MatchKeywords(partial)) {
        auto* item = new QListWidgetItem(entry.keyword, m_lstKeywords);
        item->setToolTip(entry.keyword); // long message texts do not fit the list
    }
    if (m_lstKeywords->count() > 0)
        m_lstKeywords->setCurrentRow(0);
}

void HelpViewer::ShowCurrentKeyword() {
    if (const QListWidgetItem* item = m_lstKeywords->currentItem())
        ShowKeyword(item->text());
}

void HelpViewer::FollowLink(const QUrl& link) {
    if (link.scheme() == kTopicScheme)
        ShowTopic(link.path());
    else if (link.scheme() == QLatin1String("http") || link.scheme() == QLatin1String("https"))
        QDesktopServices::openUrl(link);
}

void HelpViewer::BringToFront() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

} // namespace quorvel
