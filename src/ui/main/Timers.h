#pragma once
// Timers run by period: a period of 0 stops a timer, any other starts it. Setting a running
// timer to the period it already has leaves its ticks in their rhythm.

#include <QTimer>

namespace kivola {

inline void SetTimerPeriod(QTimer* timer, int milliseconds) {
    if (milliseconds <= 0) {
        timer->stop();
        return;
    }
    if (timer->isActive() && timer->interval() == milliseconds) {
        return;
    }
    timer->start(milliseconds);
}

// The period of a timer: 0 when it is stopped.
inline int TimerPeriod(const QTimer* timer) {
    return timer->isActive() ? timer->interval() : 0;
}

} // namespace kivola
