#include "ui/secondary/AboutWindow.h"

#include "assets/Assets.h"
#include "ui/main/PictureButton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace kivola {

namespace {
constexpr int kWidth = 270;
constexpr int kHeight = 310;
const QRgb kOutside = qRgb(255, 255, 255);

} // namespace

QRegion ShapeRegion(const QImage& shape) {
    QRegion region;
    if (shape.isNull()) {
        return region;
    }
    const QImage image = shape.convertToFormat(QImage::Format_RGB32);
    // Runs of inside pixels, one row at a time, keep the region small.
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRegion rowRegion;
        const auto outside = [row](int x) { return (row[x] & 0xFFFFFF) == (kOutside & 0xFFFFFF); };
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && outside(x)) {
                ++x;
            }
            const int start = x;
            while (x < image.width() && !outside(x)) {
                ++x;
            }
            if (x > start) {
                rowRegion += QRect(start, y, x - start, 1);
            }
        }
        region += rowRegion;
    }
    return region;
}

AboutWindow::AboutWindow(QWidget* parent) : GuardedDialog(parent, kWidth, kHeight) {
    setWindowTitle(QStringLiteral("关于 Kivola V1.0"));
    m_background = AssetPixmap(QStringLiteral("about_background"));

    透明标签2 = new QLabel(QStringLiteral("Kivola"), this);
    透明标签2->setObjectName(QStringLiteral("透明标签2"));
    透明标签2->setGeometry(80, 64, 152, 48);
    透明标签2->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font;
    font.setFamilies({QStringLiteral("楷体_GB2312"), QStringLiteral("AR PL UKai CN")});
    font.setPixelSize(35);
    font.setBold(true);
    透明标签2->setFont(font);
    QPalette palette = 透明标签2->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    透明标签2->setPalette(palette);

    图形按钮关于 = new PictureButton(this);
    图形按钮关于->setObjectName(QStringLiteral("图形按钮关于"));
    图形按钮关于->setGeometry(2, 165, 105, 144);
    图形按钮关于->SetPictures(AssetPixmap(QStringLiteral("about_button_normal")),
                              AssetPixmap(QStringLiteral("about_button_hover")),
                              AssetPixmap(QStringLiteral("about_button_pressed")));
    connect(图形按钮关于, &PictureButton::clicked, this, [this] { CloseNow(QDialog::Accepted); });

    ApplyShape(AssetPixmap(QStringLiteral("about_shape")).toImage());
    setCursor(AppCursor(CursorId::Arrow));
    图形按钮关于->setCursor(AppCursor(CursorId::Hand));
}

void AboutWindow::ApplyShape(const QImage& shape) {
    m_shape = ShapeRegion(shape);
    if (m_shape.isEmpty()) {
        clearMask();
    } else {
        setMask(m_shape);
    }
}

bool AboutWindow::InsideShape(const QPoint& point) const {
    if (!rect().contains(point)) {
        return false;
    }
    return m_shape.isEmpty() || m_shape.contains(point);
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_background.isNull()) {
        painter.fillRect(rect(), QColor(250, 232, 176));
    } else {
        painter.drawPixmap(rect(), m_background);
    }
}

void AboutWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    // Input is not clipped to the mask everywhere, so points outside are refused here too.
    if (event->button() == Qt::LeftButton && InsideShape(event->position().toPoint())) {
        CloseNow(QDialog::Accepted);
    }
}

void ShowAboutWindow() {
    AboutWindow window;
    window.exec();
}

} // namespace kivola
