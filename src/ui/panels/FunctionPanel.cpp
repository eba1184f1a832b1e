#include "ui/panels/FunctionPanel.h"

#include "assets/Assets.h"
#include "ui/main/KeyFilter.h"
#include "ui/main/MainWindow.h"
#include "ui/main/PictureButton.h"
#include "ui/main/Tags.h"
#include "ui/main/Timers.h"
#include "ui/secondary/ExitConfirmWindow.h"

#include <QLabel>
#include <QTimer>

namespace kivola {
namespace {

const char* const kCaptions[] = {"更改用户名", "语音设置", "字体设置",
                                 "颜色设置",   "课程设置", "退出"};

void SetBallPictures(PictureButton* button) {
    button->SetPictures(
        AssetPixmap(QStringLiteral("ball_normal")), AssetPixmap(QStringLiteral("ball_hover")),
        AssetPixmap(QStringLiteral("ball_pressed")), AssetPixmap(QStringLiteral("ball_disabled")));
}

} // namespace

FunctionPanel::FunctionPanel(MainWindow* mainWindow)
    : Canvas(mainWindow), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("FunctionPanel"));
    resize(112, 600);
    SetBackgroundColour(QColor(176, 120, 64));
    SetPicture(AssetPixmap(QStringLiteral("panel_function")));
    DiscardKeys(this);

    功能按钮 = new PictureButton(this);
    功能按钮->setObjectName(QStringLiteral("功能按钮"));
    功能按钮->setGeometry(26, 20, 60, 60);
    SetBallPictures(功能按钮);
    SetTag(功能按钮, 1);
    DiscardKeys(功能按钮);
    connect(功能按钮, &PictureButton::clicked, this, &FunctionPanel::OnFunctionButtonClicked);

    功能标题标签 = new QLabel(QString::fromUtf8(kCaptions[0]), this);
    功能标题标签->setObjectName(QStringLiteral("功能标题标签"));
    功能标题标签->setGeometry(16, 80, 80, 25);
    QFont captionFont(QStringLiteral("宋体"));
    captionFont.setPixelSize(14);
    captionFont.setWeight(QFont::Normal);
    功能标题标签->setFont(captionFont);
    功能标题标签->setAlignment(Qt::AlignCenter);
    QPalette captionPalette = 功能标题标签->palette();
    captionPalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    功能标题标签->setPalette(captionPalette);
    SetTag(功能标题标签, 1);

    时钟显示功能面板 = new QTimer(this);
    时钟显示功能面板->setObjectName(QStringLiteral("时钟显示功能面板"));
    connect(时钟显示功能面板, &QTimer::timeout, this, &FunctionPanel::OnShowTick);
    时钟隐藏功能面板 = new QTimer(this);
    时钟隐藏功能面板->setObjectName(QStringLiteral("时钟隐藏功能面板"));
    connect(时钟隐藏功能面板, &QTimer::timeout, this, &FunctionPanel::OnHideTick);

    // Created: hidden, with its copies of the template button and caption.
    hide();
    setCursor(AppCursor(CursorId::Arrow));
    const int step = 功能按钮->height() + 功能标题标签->height() + 10;
    for (int k = 2; k <= 6; ++k) {
        auto* button = new PictureButton(this);
        button->setObjectName(功能按钮->objectName());
        button->resize(功能按钮->size());
        SetBallPictures(button);
        DiscardKeys(button);
        connect(button, &PictureButton::clicked, this, &FunctionPanel::OnFunctionButtonClicked);
        auto* caption = new QLabel(this);
        caption->setObjectName(功能标题标签->objectName());
        caption->resize(功能标题标签->size());
        caption->setFont(功能标题标签->font());
        caption->setAlignment(功能标题标签->alignment());
        caption->setPalette(功能标题标签->palette());
        SetTag(caption, k);

        button->setCursor(AppCursor(k == 6 ? CursorId::Leave : CursorId::Button));
        SetTag(button, k);
        button->move(功能按钮->x(), 功能按钮->y() + (k - 1) * step);
        caption->move(功能标题标签->x(), 功能标题标签->y() + (k - 1) * step);
        caption->setText(QString::fromUtf8(kCaptions[k - 1]));
        button->show();
        caption->show();
    }
    功能按钮->setCursor(AppCursor(CursorId::Button));
    const QRect canvas = mainWindow->主窗口底板->geometry();
    move(canvas.left() - width(), canvas.top());
}

PictureButton* FunctionPanel::Button(int tag) const {
    return FindByTag<PictureButton>(const_cast<FunctionPanel*>(this), tag);
}

QLabel* FunctionPanel::Caption(int tag) const {
    const auto labels = findChildren<QLabel*>(功能标题标签->objectName());
    for (QLabel* label : labels) {
        if (TagOf(label) == tag) {
            return label;
        }
    }
    return nullptr;
}

void FunctionPanel::OnShowTick() {
    const int top = m_mainWindow->主窗口底板->y();
    if (x() >= 0) {
        SetTimerPeriod(时钟显示功能面板, 0);
        m_mainWindow->黑板->setEnabled(false);
        return;
    }
    move(x() + 10, top);
}

void FunctionPanel::OnHideTick() {
    SetTimerPeriod(时钟显示功能面板, 0);
    const QRect canvas = m_mainWindow->主窗口底板->geometry();
    if (x() <= canvas.left() - width()) {
        SetTimerPeriod(时钟隐藏功能面板, 0);
        m_mainWindow->黑板->setEnabled(true);
        return;
    }
    move(x() - 10, canvas.top());
}

void FunctionPanel::OnFunctionButtonClicked() {
    const int tag = TagOf(sender());
    if (tag < 1 || tag > 6) {
        return;
    }
    StopProgramSound();
    if (tag != 6) {
        PlayProgramSound(QString::fromLatin1(kSoundFunctionClick));
    }
    switch (tag) {
    case 6:
        ConfirmExit();
        break;
    default:
        break;
    }
}

} // namespace kivola
