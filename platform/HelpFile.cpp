#include "platform/HelpFile.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <iterator>
#include <map>

namespace quorvel {
namespace {

const QByteArray kSignature = QByteArrayLiteral("QUORVEL-HELP 1");
const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

struct RawTopic {
    QString id;
    QString title;
    QStringList keywords;
    QStringList lines;
};

QString FoldForSearch(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

bool IsTopicId(const QString& id) {
    if (id.isEmpty())
        return false;
    return std::all_of(id.begin(), id.end(), [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
               (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_') ||
               c == QLatin1Char('-') || c == QLatin1Char('.');
    });
}

// Renders the text of one line: HTML-escaped, with [[id]] and [[id|text]]
// turned into links.
class InlineRenderer {
public:
    InlineRenderer(const std::map<QString, QString>& titles, QStringList& problems)
        : m_titles(titles), m_problems(problems) {}

    QString Render(const QString& text, const QString& topicId) const {
        QString html;
        qsizetype at = 0;
        while (at < text.size()) {
            const qsizetype open = text.indexOf(QStringLiteral("[["), at);
            const qsizetype close = open < 0 ? -1 : text.indexOf(QStringLiteral("]]"), open + 2);
            if (open < 0 || close < 0) {
                html += text.mid(at).toHtmlEscaped();
                break;
            }
            html += text.mid(at, open - at).toHtmlEscaped();
            html += Link(text.mid(open + 2, close - open - 2), topicId);
            at = close + 2;
        }
        return html;
    }

private:
    QString Link(const QString& inner, const QString& topicId) const {
        const qsizetype bar = inner.indexOf(QLatin1Char('|'));
        const QString target = (bar < 0 ? inner : inner.left(bar)).trimmed();
        const auto title = m_titles.find(target);
        QString shown = bar < 0 ? QString() : inner.mid(bar + 1);
        if (title == m_titles.end()) {
            m_problems.append(QStringLiteral("topic %1: link to missing topic \"%2\"").arg(topicId, target));
            return (shown.isEmpty() ? target : shown).toHtmlEscaped();
        }
        if (shown.isEmpty())
            shown = title->second;
        return QStringLiteral("<a href=\"topic:%1\">%2</a>").arg(target, shown.toHtmlEscaped());
    }

    const std::map<QString, QString>& m_titles;
    QStringList& m_problems;
};

// Lines of one paragraph are joined; a blank goes between them only where
// both sides are Latin text, Japanese runs on without one.
void AppendParagraphLine(QString& paragraph, const QString& line) {
    if (!paragraph.isEmpty() && paragraph.back().unicode() < 0x80 && line.front().unicode() < 0x80)
        paragraph += QLatin1Char(' ');
    paragraph += line;
}

QString RenderBody(const RawTopic& topic, const InlineRenderer& renderer) {
    QString html = QStringLiteral("<h2>%1</h2>\n").arg(topic.title.toHtmlEscaped());
    QString paragraph;
    bool inList = false;
    auto flushParagraph = [&] {
        if (!paragraph.isEmpty())
            html += QStringLiteral("<p>%1</p>\n").arg(renderer.Render(paragraph, topic.id));
        paragraph.clear();
    };
    auto closeList = [&] {
        if (inList)
            html += QStringLiteral("</ul>\n");
        inList = false;
    };
    for (const QString& line : topic.lines) {
        if (line.isEmpty()) {
            flushParagraph();
            closeList();
        } else if (line.startsWith(QStringLiteral("== "))) {
            flushParagraph();
            closeList();
            html += QStringLiteral("<h3>%1</h3>\n").arg(renderer.Render(line.mid(3).trimmed(), topic.id));
        } else if (line.startsWith(QStringLiteral("- "))) {
            flushParagraph();
            if (!inList)
                html += QStringLiteral("<ul>\n");
            inList = true;
            html += QStringLiteral("<li>%1</li>\n").arg(renderer.Render(line.mid(2).trimmed(), topic.id));
        } else {
            closeList();
            AppendParagraphLine(paragraph, line.trimmed());
        }
    }
    flushParagraph();
    closeList();
    return html;
}

} // namespace

HelpFile HelpFile::Load(const QString& path) {
    HelpFile file;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return file; // NotFound, as a help file starts
    QFile input(path);
    if (!info.isFile() || !input.open(QIODevice::ReadOnly)) {
        file.m_status = Status::Unreadable;
        return file;
    }
    if (input.size() > kMaxBytes) {
        file.m_status = Status::NotHelpFile;
        return file;
    }
    const QByteArray bytes = input.read(kMaxBytes + 1);
    if (input.error() != QFileDevice::NoError) {
        file.m_status = Status::Unreadable;
        return file;
    }
    return Parse(bytes);
}

HelpFile HelpFile::Parse(const QByteArray& input) {
    HelpFile file;
    file.m_status = Status::NotHelpFile;
    const QByteArray bytes = input.startsWith(kUtf8Bom) ? input.mid(kUtf8Bom.size()) : input;
    if (bytes.size() > kMaxBytes)
        return file;
    const qsizetype firstEnd = bytes.indexOf('\n');
    if (bytes.left(firstEnd < 0 ? bytes.size() : firstEnd).trimmed() != kSignature)
        return file;

    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return file;
    file.m_status = Status::Loaded;

    std::vector<RawTopic> raws;
    std::map<QString, QString> titles;
    bool skipping = false; // inside a topic whose id was already taken
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 1; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString where = QStringLiteral("line %1").arg(n + 1);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        // Menu captions read as the menus show them: "ｻｲｽﾞ計算(S)", not "(&S)".
        static const QRegularExpression accessKey(QStringLiteral("\\(&(\\w)\\)"));
        line.replace(accessKey, QStringLiteral("(\\1)"));
        if (line.startsWith(QStringLiteral("= "))) {
            const QString rest = line.mid(2).trimmed();
            const qsizetype blank = rest.indexOf(QLatin1Char(' '));
            const QString id = blank < 0 ? rest : rest.left(blank);
            const QString title = blank < 0 ? rest : rest.mid(blank + 1).trimmed();
            skipping = !IsTopicId(id) || titles.count(id) != 0;
            if (skipping) {
                file.m_problems.append(QStringLiteral("%1: bad or repeated topic id \"%2\"").arg(where, id));
                continue;
            }
            titles.emplace(id, title);
            raws.push_back({id, title, {}, {}});
            continue;
        }
        if (skipping)
            continue;
        if (raws.empty()) {
            if (!line.trimmed().isEmpty())
                file.m_problems.append(QStringLiteral("%1: text before the first topic").arg(where));
            continue;
        }
        if (line.startsWith(QStringLiteral("K "))) {
            const QString keyword = line.mid(2).trimmed();
            if (!keyword.isEmpty() && !raws.back().keywords.contains(keyword))
                raws.back().keywords.append(keyword);
            continue;
        }
        raws.back().lines.append(line.trimmed().isEmpty() ? QString() : line);
    }

    const InlineRenderer renderer(titles, file.m_problems);
    std::map<QString, QStringList> keywordTopics;
    for (const RawTopic& raw : raws) {
        file.m_topics.push_back({raw.id, raw.title, raw.keywords, RenderBody(raw, renderer)});
        for (const QString& keyword : raw.keywords)
            keywordTopics[keyword].append(raw.id);
    }
    for (auto& [keyword, ids] : keywordTopics)
        file.m_keywords.push_back({keyword, ids});
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    std::stable_sort(file.m_keywords.begin(), file.m_keywords.end(),
                     [&collator](const HelpKeyword& a, const HelpKeyword& b) {
                         return collator.compare(a.keyword, b.keyword) < 0;
                     });
    return file;
}

const HelpTopic* HelpFile::FindTopic(const QString& id) const {
    const auto found = std::find_if(m_topics.begin(), m_topics.end(),
                                    [&id](const HelpTopic& topic) { return topic.id == id; });
    return found == m_topics.end() ? nullptr : &*found;
}

const HelpTopic* HelpFile::ContentsTopic() const {
    return m_topics.empty() ? nullptr : &m_topics.front();
}

std::vector<HelpKeyword> HelpFile::MatchKeywords(const QString& partial) const {
    const QString wanted = FoldForSearch(partial.trimmed());
    std::vector<HelpKeyword> matches;
    std::copy_if(
        m_keywords.begin(), m_keywords.end(), std::back_inserter(matches),
        [&wanted](const HelpKeyword& entry) { return FoldForSearch(entry.keyword).contains(wanted); });
    return matches;
}

} // namespace quorvel
