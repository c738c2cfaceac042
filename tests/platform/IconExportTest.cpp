// The build's icon export, run as the build runs it: a picture in, the same
// picture out as PNG; a clear message and a failing status for anything else,
// so that a broken icon stops the build instead of installing nothing. Rows
// live in the "icon_export" list of tests/cases/platform_cases.json.

#include "CaseRows.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace quorvel::testing {
namespace {

const QString kPicture = QStringLiteral(QUORVEL_ICON_FOLDER "/program.xpm");

// A text of a row with its places filled in: {picture} the program's icon,
// {out} a PNG in a fresh folder, {missing} a picture that is not there and
// {nowhere} a PNG in a folder that is not there.
QString Placed(const nlohmann::json& text, const QTemporaryDir& folder) {
    return QString::fromStdString(text.get<std::string>())
        .replace("{picture}", kPicture)
        .replace("{out}", folder.filePath("out.png"))
        .replace("{missing}", folder.filePath("none.xpm"))
        .replace("{nowhere}", folder.filePath("no folder/program.png"));
}

class IconExport : public ::testing::TestWithParam<CaseRow> {};

// A row that succeeds says nothing and writes {out}; any other says what it
// could not do and writes nothing.
TEST_P(IconExport, WritesThePictureOrSaysWhyNot) {
    const nlohmann::json& row = GetParam().data;
    QTemporaryDir folder;
    QStringList arguments;
    for (const nlohmann::json& argument : row.at("args"))
        arguments << Placed(argument, folder);
    QProcess child;
    child.start(QStringLiteral(QUORVEL_ICON_EXPORT), arguments);
    ASSERT_TRUE(child.waitForFinished(-1));
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), row.at("status").get<int>()) << errors.toStdString();
    const QString says = Placed(row.at("says"), folder);
    EXPECT_TRUE(says.isEmpty() ? errors.isEmpty() : errors.contains(says)) << errors.toStdString();
    const bool writes = row.at("status") == 0;
    const QString out = folder.filePath("out.png");
    ASSERT_EQ(QFile::exists(out), writes);
    if (writes) {
        const QImage written(out, "PNG");
        ASSERT_FALSE(written.isNull());
        EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32),
                  QImage(kPicture).convertToFormat(QImage::Format_ARGB32));
    }
}
INSTANTIATE_TEST_SUITE_P(Rows, IconExport,
                         ::testing::ValuesIn(LoadRows("platform_cases.json", "icon_export")), RowName());

} // namespace
} // namespace quorvel::testing
