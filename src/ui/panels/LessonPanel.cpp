#include "ui/panels/LessonPanel.h"

#include "assets/Assets.h"
#include "ui/main/KeyFilter.h"
#include "ui/main/MainWindow.h"
#include "ui/main/PictureButton.h"
#include "ui/main/Tags.h"
#include "ui/main/Timers.h"

#include <QTimer>

namespace kivola {
namespace {

void SetPlaquePictures(PictureButton* button, int k) {
    const QString base = QStringLiteral("lesson_%1_").arg(k);
    button->SetPictures(AssetPixmap(base + QStringLiteral("normal")),
                        AssetPixmap(base + QStringLiteral("hover")),
                        AssetPixmap(base + QStringLiteral("pressed")),
                        AssetPixmap(base + QStringLiteral("disabled")));
}

} // namespace

LessonPanel::LessonPanel(MainWindow* mainWindow) : Canvas(mainWindow), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("LessonPanel"));
    resize(112, 600);
    SetBackgroundColour(QColor(176, 120, 64));
    SetPicture(AssetPixmap(QStringLiteral("panel_lesson")));
    DiscardKeys(this);

    按钮课程 = new PictureButton(this);
    按钮课程->setObjectName(QStringLiteral("按钮课程"));
    按钮课程->setGeometry(11, 20, 90, 40);
    SetTag(按钮课程, 1);
    DiscardKeys(按钮课程);
    connect(按钮课程, &PictureButton::clicked, this, &LessonPanel::OnLessonButtonClicked);

    时钟显示课程面板 = new QTimer(this);
    时钟显示课程面板->setObjectName(QStringLiteral("时钟显示课程面板"));
    connect(时钟显示课程面板, &QTimer::timeout, this, &LessonPanel::OnShowTick);
    时钟隐藏课程面板 = new QTimer(this);
    时钟隐藏课程面板->setObjectName(QStringLiteral("时钟隐藏课程面板"));
    connect(时钟隐藏课程面板, &QTimer::timeout, this, &LessonPanel::OnHideTick);

    // Created: hidden, docked, with the ten plaques.
    hide();
    setCursor(AppCursor(CursorId::Arrow));
    const QRect canvas = mainWindow->主窗口底板->geometry();
    move(canvas.left() + canvas.width(), canvas.top());
    SetPlaquePictures(按钮课程, 1);
    按钮课程->setCursor(AppCursor(CursorId::Button));
    for (int k = 2; k <= 10; ++k) {
        auto* button = new PictureButton(this);
        button->setObjectName(按钮课程->objectName());
        button->resize(按钮课程->size());
        DiscardKeys(button);
        connect(button, &PictureButton::clicked, this, &LessonPanel::OnLessonButtonClicked);
        SetTag(button, k);
        button->move(按钮课程->x(), 按钮课程->y() + (k - 1) * (按钮课程->height() + 17));
        SetPlaquePictures(button, k);
        button->setCursor(AppCursor(CursorId::Button));
        button->show();
    }
}

PictureButton* LessonPanel::Button(int tag) const {
    return FindByTag<PictureButton>(const_cast<LessonPanel*>(this), tag);
}

void LessonPanel::OnShowTick() {
    SetTimerPeriod(时钟隐藏课程面板, 0);
    if (x() <= m_mainWindow->ScreenRect().width() - 112) {
        m_mainWindow->黑板->setEnabled(false);
        SetTimerPeriod(时钟显示课程面板, 0);
        return;
    }
    move(x() - 10, m_mainWindow->主窗口底板->y());
}

void LessonPanel::OnHideTick() {
    SetTimerPeriod(时钟显示课程面板, 0);
    const QRect canvas = m_mainWindow->主窗口底板->geometry();
    if (x() >= canvas.left() + canvas.width()) {
        m_mainWindow->黑板->setEnabled(true);
        SetTimerPeriod(时钟隐藏课程面板, 0);
        return;
    }
    move(x() + 10, canvas.top());
}

void LessonPanel::OnLessonButtonClicked() {
    auto* clicked = qobject_cast<PictureButton*>(sender());
    const int n = TagOf(clicked);
    if (clicked == nullptr || !clicked->isEnabled() || n < 1 || n > 10) {
        return;
    }
    StopProgramSound();
    PlayProgramSound(QString::fromLatin1(kSoundLessonClick));
    for (int tag = 1; tag <= 10; ++tag) {
        if (PictureButton* button = Button(tag)) {
            button->setEnabled(true);
        }
    }
    clicked->setEnabled(false);
    m_mainWindow->LoadLesson(n);
    m_mainWindow->ReturnToLearning();
}

} // namespace kivola
