// The find-the-character test: cards over the characters, a target to find, an optional time
// limit shown as a shrinking bar.
#include "ui/main/MainWindow.h"

#include "app/GbkQt.h"
#include "app/Globals.h"
#include "assets/Assets.h"
#include "ui/main/Canvas.h"
#include "ui/main/ClickLabel.h"
#include "ui/main/PictureButton.h"
#include "ui/main/Tags.h"
#include "ui/main/TestRules.h"
#include "ui/main/TimeBar.h"
#include "ui/main/Timers.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>

namespace kivola {

void MainWindow::StartTest() {
    ResetTestTimer();
    const int r = DrawTargetNumber();
    找字目标->setText(ToQ(TargetCharacter(CurrentLesson, r)));
    if (测试计时组合框->currentIndex() != 0) {
        SetTimerPeriod(测试计时时钟, 1000);
    }
    const QColor blackboard = BlackboardColour();
    const QColor characters = CharacterColour();
    SetCellGroup(0, characters, blackboard, true);
    SetCellGroup(1000, PinyinColour(), blackboard, false);
    SetCellGroup(2000, characters, characters, true);
    SetPinyinShown(false);
    测试计时组合框->setEnabled(false);
    按钮测试->setEnabled(false);
    按钮显隐拼音->setEnabled(false);
    SetSettingsButtonsDisabled(true);
}

void MainWindow::OnCardClicked() {
    const int tag = TagOf(sender());
    if (tag < 2001 || tag > 2010) {
        return;
    }
    const QColor characters = CharacterColour();
    SetCellGroup(2000, characters, characters, true);
    if (ClickLabel* card = Cell(tag)) {
        card->hide();
    }
    if (ClickLabel* cell = Cell(tag - 2000)) {
        CheckAnswer(cell);
    }
}

void MainWindow::CheckAnswer(ClickLabel* cell) {
    if (cell == nullptr) {
        return;
    }
    if (!IsTargetFound(FromQ(cell->text()), FromQ(找字目标->text()))) {
        PlayProgramSound(QString::fromLatin1(kSoundWrongPick));
        return;
    }
    SetTimerPeriod(测试计时时钟, 0);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    cell->setPalette(palette);
    PlayProgramSound(QString::fromLatin1(kSoundRightPick));
    const QColor characters = CharacterColour();
    SetCellGroup(2000, characters, characters, false);
    按钮测试->setEnabled(true);
    测试计时组合框->setEnabled(true);
    按钮显隐拼音->setEnabled(true);
    ResetTestTimer();
    SetSettingsButtonsDisabled(false);
}

void MainWindow::OnTestTimerTick() {
    测试计时进度->setValue(测试计时进度->value() - 1);
    if (测试计时进度->value() != 0) {
        return;
    }
    SetTimerPeriod(测试计时时钟, 0);
    const Hooks& hooks = StartupHooks();
    if (hooks.showLossMessage) {
        hooks.showLossMessage();
    }
    ReturnToLearning();
}

} // namespace kivola
