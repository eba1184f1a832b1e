#pragma once
// A canvas: a plain widget that draws its background picture (scaled to its size) or, while
// the picture is missing, fills itself with its background colour. It can report mouse
// movements over its bare area: the parts that no enabled child control covers.

#include <QPixmap>
#include <QWidget>

namespace kivola {

class Canvas : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture);
    // Fills the canvas with colour wherever no picture is drawn.
    void SetBackgroundColour(const QColor& colour);
    QColor BackgroundColour() const;

signals:
    // The pointer moved over bare canvas; x and y relative to the canvas.
    void BareMouseMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace kivola
