// Program entry: the speech engine, the exit routine, MainWindow (hidden), the event loop.
#include "app/Globals.h"
#include "app/Shutdown.h"
#include "speech/QtAudioOutput.h"
#include "speech/SpeechEngine.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program ends only through its exit confirmation, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    auto* engine = new kivola::SpeechEngine(std::make_unique<kivola::QtAudioOutput>());
    engine->Create();
    kivola::TheSpeechEngine = engine;

    std::atexit(kivola::RunExitRoutine);

    auto mainWindow = std::make_unique<kivola::MainWindow>();
    QApplication::exec();
    mainWindow.reset();
    kivola::RunExitRoutine();
    return 0;
}
