#pragma once
// A label that reports a left-button click (press and release inside it). The cells of the
// blackboard and the notice line are such labels.

#include <QLabel>

namespace kivola {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace kivola
