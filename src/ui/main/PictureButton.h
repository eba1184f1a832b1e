#pragma once
// A button drawn with pictures: normal, under the mouse (hover), pressed and disabled.
// It takes no keyboard focus and ignores every key.

#include <QAbstractButton>
#include <QPixmap>

namespace kivola {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void SetPictures(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed,
                     const QPixmap& disabled = QPixmap());
    void SetNormalPicture(const QPixmap& picture);
    void SetHoverPicture(const QPixmap& picture);
    void SetPressedPicture(const QPixmap& picture);
    void SetDisabledPicture(const QPixmap& picture);
    const QPixmap& HoverPicture() const { return m_hover; }

    // The picture drawn now, by state.
    const QPixmap& CurrentPicture() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QPixmap m_normal;
    QPixmap m_hover;
    QPixmap m_pressed;
    QPixmap m_disabled;
    bool m_under = false;
};

} // namespace kivola
