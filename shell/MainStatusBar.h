#pragma once
// The main window's status bar: panel 1 holds the one message text the
// program writes (the Calc command's "計算中です..."), panels 2 and 3 show
// the current date and time and keep themselves up to date.

#include <QStatusBar>

class QLabel;
class QTimer;

namespace quorvel {

class MainStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    QLabel* Panel1() const { return m_panel1; }
    QLabel* DatePanel() const { return m_date; }
    QLabel* TimePanel() const { return m_time; }

private:
    void ShowClock();

    QLabel* m_panel1 = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_time = nullptr;
    QTimer* m_clock = nullptr;
};

} // namespace quorvel
