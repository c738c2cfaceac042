#include "IniSettingsStore.h"
#include "TestSupport.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// Points the user's INI settings at a fresh folder for each test.
class IniSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
    }

    QString FileText(const QString& application) const {
        QFile file(m_folder.filePath(QStringLiteral("Quorvel/%1.ini").arg(application)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir m_folder;
    IniSettingsStore m_store;
};

TEST_F(IniSettingsStoreTest, NeverWrittenKeyReadsAsTheDefault) {
    EXPECT_EQ(m_store.GetSetting("Mivrel", "Window", "MainLeft", "1234"), "1234");
    EXPECT_EQ(m_store.GetSetting("Mivrel", "Set", "ToolTipText", ""), "");
}

TEST_F(IniSettingsStoreTest, WrittenTextSurvivesIntoANewStore) {
    m_store.SaveSetting("Mivrel", "Window", "MainLeft", "2880");
    m_store.SaveSetting("Mivrel", "Set", "ToolTipText", "False");
    const IniSettingsStore nextRun;
    EXPECT_EQ(nextRun.GetSetting("Mivrel", "Window", "MainLeft", "0"), "2880");
    EXPECT_EQ(nextRun.GetSetting("Mivrel", "Set", "ToolTipText", "True"), "False");
}

TEST_F(IniSettingsStoreTest, ValuesAreKeptAsPlainTextUnderTheirSection) {
    m_store.SaveSetting("Mivrel", "Window", "MainTop", "-150");
    m_store.SaveSetting("Mivrel", "Set", "ToolTipText", "True");
    const QString text = FileText("Mivrel");
    EXPECT_TRUE(text.contains("[Window]\nMainTop=-150")) << text.toStdString();
    EXPECT_TRUE(text.contains("[Set]\nToolTipText=True")) << text.toStdString();
}

TEST_F(IniSettingsStoreTest, ApplicationsAndSectionsDoNotShareKeys) {
    m_store.SaveSetting("Mivrel", "Window", "MainLeft", "10");
    m_store.SaveSetting("Other", "Window", "MainLeft", "20");
    m_store.SaveSetting("Mivrel", "Set", "MainLeft", "30");
    EXPECT_EQ(m_store.GetSetting("Mivrel", "Window", "MainLeft", ""), "10");
    EXPECT_EQ(m_store.GetSetting("Other", "Window", "MainLeft", ""), "20");
    EXPECT_EQ(m_store.GetSetting("Mivrel", "Set", "MainLeft", ""), "30");
}

} // namespace
} // namespace quorvel
