#pragma once
// The About box: title and version, two contact lines that a click copies to
// the clipboard, and a button that starts the platform's system information
// program the system-information locator names. The Help menu and the toolbar's
// "Version" button open it modally over the main window (ShowAboutBox), a new
// one each time.

#include "platform/PlatformServices.h"

#include <QDialog>

#include <map>
#include <optional>

class QLabel;
class QPushButton;

namespace quorvel {

class frmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(const PlatformServices& services, QWidget* owner = nullptr);

    // Centres the box on the screen and sets its pictures.
    void Form_Load();

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Index 5 copies the e-mail line, index 6 the address after "："; others nothing.
    void lblInfo_Click(int index);

    // Starts the system information program when the locator finds one; the
    // box closes once the program is started.
    void RunSystemInformation();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QLabel* AddInfoLabel(int index, const QString& caption, const QRect& place);

    PlatformServices m_services;
    std::map<int, QLabel*> m_lblInfo;
    QLabel* m_imgIcon = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdSysInfo = nullptr;
};

} // namespace quorvel
