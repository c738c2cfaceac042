#pragma once
// The splash window: a small frameless window with the program's icon, name
// and version, shown by start-up while the main window is being built and
// closed before the main window appears. It has no behaviour beyond centring
// itself when it loads.

#include <QWidget>

namespace quorvel {

class frmSplash final : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Centres the window on the screen.
    void Form_Load();
};

} // namespace quorvel
