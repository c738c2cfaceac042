#include "shell/OutlineBox.h"

#include <QPainter>

namespace quorvel {

OutlineBox::OutlineBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
}

void OutlineBox::SetTopGap(int left, int right) {
    m_gapLeft = left;
    m_gapRight = right;
    update();
}

void OutlineBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // The outline takes the box's outermost pixels all round.
    const QRect box = rect();
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.bottomRight(), box.topRight());
    if (m_gapRight <= m_gapLeft) {
        painter.drawLine(box.topLeft(), box.topRight());
        return;
    }
    if (m_gapLeft > box.left())
        painter.drawLine(box.left(), box.top(), m_gapLeft - 1, box.top());
    if (m_gapRight < box.right())
        painter.drawLine(m_gapRight + 1, box.top(), box.right(), box.top());
}

} // namespace quorvel
