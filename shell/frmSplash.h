#pragma once
// The splash window: a small frameless window with the program's icon, name
// and version, shown by start-up while the main window is being built and
// closed before the main window appears. It has no behaviour beyond centring
// itself when it loads and making sure it is seen.

#include <QWidget>

namespace quorvel {

class frmSplash final : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Centres the window on the screen.
    void Form_Load();

    // Shows the window and runs the event loop (user input held back) until
    // the window system has shown it and it has painted itself there, at most
    // timeoutMs. True when it was painted in time.
    bool ShowPainted(int timeoutMs);

signals:
    // Painted on screen (not merely into a window not shown yet).
    void Painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_painted = false;
};

} // namespace quorvel
