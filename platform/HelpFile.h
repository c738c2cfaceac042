#pragma once
// The program's help file ("Mivrel.hlp") as the help window reads it: UTF-8
// text made of topics, each with a title, keywords and a body. The first topic
// is the contents page.
//
//   QUORVEL-HELP 1          first line (a UTF-8 byte-order mark may precede it)
//   # remark                skipped
//   = id Title              starts a topic; id is letters, digits, "_", "-", "."
//   K keyword               a keyword of the current topic, one per line
//   == Heading              a heading inside the topic
//   - item                  a list item; neighbouring items make one list
//   (blank line)            ends a paragraph or a list
//   other text              paragraph text; neighbouring lines make one paragraph
//
// A menu caption's access-key marker "(&S)" reads "(S)", as the menu shows it.
// Inside text, [[id]] links to a topic under that topic's title and [[id|text]]
// under text of its own. A file without the first line is not a help file of
// ours (an old binary help file, say), and says so rather than showing noise.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quorvel {

struct HelpTopic {
    QString id;
    QString title;
    QStringList keywords;
    QString html; // the rendered page; links read "topic:<id>"
};

struct HelpKeyword {
    QString keyword;
    QStringList topicIds; // in file order, no repeats
};

class HelpFile {
public:
    enum class Status { Loaded, NotFound, Unreadable, NotHelpFile };

    // Larger files are not help files of ours; nothing bigger is read at all.
    static constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

    static HelpFile Load(const QString& path);
    static HelpFile Parse(const QByteArray& bytes);

    Status GetStatus() const { return m_status; }
    const std::vector<HelpTopic>& Topics() const { return m_topics; }
    const HelpTopic* FindTopic(const QString& id) const;
    // The contents page: the first topic, or nullptr when there is none.
    const HelpTopic* ContentsTopic() const;

    // Every keyword once, in Japanese dictionary order.
    const std::vector<HelpKeyword>& Keywords() const { return m_keywords; }
    // The keywords that contain partial, with letter case, full and half width
    // not told apart ("ﾍﾟｰｼﾞ" finds "ページ"); every keyword for "".
    std::vector<HelpKeyword> MatchKeywords(const QString& partial) const;

    // What the reader had to skip or could not resolve: duplicate topic ids,
    // links to missing topics, lines outside any topic.
    const QStringList& Problems() const { return m_problems; }

private:
    Status m_status = Status::NotFound;
    std::vector<HelpTopic> m_topics;
    std::vector<HelpKeyword> m_keywords;
    QStringList m_problems;
};

} // namespace quorvel
