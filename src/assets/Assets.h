#pragma once
// The program's art, compiled in: pictures by name, the ten cursors and the program's icon.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace kivola {

// The program's ten 32x32 cursors.
enum class CursorId { Arrow, Character, Card, Help, Leave, About, Button, Hand, Edit, Crayon };

QCursor AppCursor(CursorId id);

// A picture at its design size, by name. An unknown name gives a null pixmap.
// Names:
//   "splash" 400x300; "tile" 30x30; "canvas" 800x600;
//   "panel_function", "panel_lesson" 112x600;
//   "ball_normal", "ball_hover", "ball_pressed", "ball_disabled" 60x60;
//   "lesson_<k>_<state>" 90x40, k 1..10, state normal|hover|pressed|disabled;
//   main buttons "<b>_<state>", state normal|hover|pressed|disabled:
//     help 136x96, about 136x96, test 80x112, pinyin 128x56, relearn 136x104, leave 96x112,
//     minimise 16x16 (normal|hover|pressed only);
//   "pinyin_hover_shown", "pinyin_hover_hidden" 128x56 (hover pictures of the pinyin switch);
//   "about_background", "about_shape" 270x310; "about_button_<normal|hover|pressed>" 105x144;
//   "exit_background" 400x300; "exit_yes_<normal|hover>", "exit_no_<normal|hover>" 60x60.
QPixmap AssetPixmap(const QString& name);

// Every name AssetPixmap knows, in catalogue order (for tools and checks over all pictures).
QStringList AssetNames();

// The program's icon (tray, window): 16x16 and 32x32.
QIcon AppIcon();

// Resource paths of the embedded sounds.
inline const char* const kSoundFunctionClick = ":/sounds/function_click.wav";
inline const char* const kSoundLessonClick = ":/sounds/lesson_click.wav";
inline const char* const kSoundRightPick = ":/sounds/right_pick.wav";
inline const char* const kSoundWrongPick = ":/sounds/wrong_pick.wav";
inline const char* const kSoundTip = ":/sounds/tip.wav";

} // namespace kivola
