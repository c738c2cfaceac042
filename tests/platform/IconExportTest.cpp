// The build's icon export, run as the build runs it: a picture in, the same
// picture out as PNG; a clear message and a failing status for anything else,
// so that a broken icon stops the build instead of installing nothing.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    QString errors;
};

Outcome Export(const QStringList& arguments) {
    QProcess child;
    child.start(QStringLiteral(QUORVEL_ICON_EXPORT), arguments);
    EXPECT_TRUE(child.waitForFinished(30000));
    return {child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1,
            QString::fromLocal8Bit(child.readAllStandardError())};
}

TEST(IconExport, WritesThePictureAsPng) {
    QTemporaryDir folder;
    const QString picture = QStringLiteral(QUORVEL_ICON_FOLDER "/program.xpm");
    const QString png = folder.filePath("program.png");
    const Outcome outcome = Export({picture, png});
    EXPECT_EQ(outcome.status, 0) << outcome.errors.toStdString();
    EXPECT_TRUE(outcome.errors.isEmpty());
    const QImage written(png, "PNG");
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32), QImage(picture).convertToFormat(QImage::Format_ARGB32));
}

TEST(IconExport, RefusesWhatItCannotDo) {
    QTemporaryDir folder;
    const QString picture = QStringLiteral(QUORVEL_ICON_FOLDER "/program.xpm");
    const QString missing = folder.filePath("none.xpm");
    const QString nowhere = folder.filePath("no folder/program.png");
    struct Case {
        QStringList arguments;
        int status;
        QString says;
    };
    for (const Case& c : {Case{{}, 2, "usage: "}, Case{{picture}, 2, "usage: "},
                          Case{{picture, nowhere, "extra"}, 2, "usage: "},
                          Case{{missing, folder.filePath("out.png")}, 1, "cannot read " + missing},
                          Case{{picture, nowhere}, 1, "cannot write " + nowhere}}) {
        const Outcome outcome = Export(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(outcome.errors.contains(c.says)) << outcome.errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.filePath("out.png")));
}

} // namespace
