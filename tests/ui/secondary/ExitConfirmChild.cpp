// Opens the exit confirmation from inside the running event loop, as the leave button does,
// and clicks yes. The process must end with code 0 and never come back to say "returned".
// The speech engine's output announces its destruction: the exit routine destroys the
// engine, so the line shows how often the routine did its work.

#include "app/Globals.h"
#include "app/Shutdown.h"
#include "speech/AudioOutput.h"
#include "speech/SpeechEngine.h"
#include "ui/secondary/ExitConfirmWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {
class AnnouncingOutput : public kivola::AudioOutput {
public:
    ~AnnouncingOutput() override { std::printf("engine destroyed\n"); }
    void Write(const std::int16_t*, std::size_t, int) override {}
    void Discard() override {}
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kivola::TheSpeechEngine = new kivola::SpeechEngine(std::make_unique<AnnouncingOutput>());
    kivola::CurrentLesson = "lesson";

    // The real ending, with a line first that tells how far the exit routine had got.
    kivola::SetProcessEnder([](int code) {
        std::printf("ending code=%d runs=%d\n", code, kivola::ExitRoutineRuns());
        kivola::EndProcessNow(code);
    });

    QTimer::singleShot(0, [] {
        QTimer::singleShot(0, [] {
            QWidget* window = QApplication::activeModalWidget();
            auto* yes = window == nullptr
                            ? nullptr
                            : window->findChild<QAbstractButton*>(QStringLiteral("按钮1"));
            if (yes == nullptr) {
                std::printf("no yes button\n");
                QApplication::exit(4);
                return;
            }
            yes->click();
        });
        kivola::ConfirmExit();
        std::printf("returned\n");
        QApplication::exit(3);
    });
    const int code = app.exec();
    std::printf("event loop ended\n");
    return code == 0 ? 5 : code;
}
