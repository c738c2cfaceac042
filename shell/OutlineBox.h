#pragma once
// The outline rectangle (shpSquare) that groups the fields of one option.
// The option button stands on its top edge like a caption, so the edge is left
// open behind the option's text instead of being covered by a background.

#include <QFrame>

namespace quorvel {

class OutlineBox : public QFrame {
    Q_OBJECT

public:
    explicit OutlineBox(QWidget* parent = nullptr);

    // Leaves the top edge open from left to right (box coordinates).
    void SetTopGap(int left, int right);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_gapLeft = 0;
    int m_gapRight = 0;
};

} // namespace quorvel
