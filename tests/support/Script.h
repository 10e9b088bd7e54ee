#pragma once

#include <QString>

class QWidget;

namespace tivoro::test {

// Drives windows through a script of user steps, one per line or separated
// by ';'. A widget is named by its object name, "a/b" for b inside a, "."
// for the window itself.
//   click W | rclick W          left / right click on W's middle
//   type W TEXT                 select all in W, type TEXT (nothing: erase)
//   paste W TEXT                select all in W, paste TEXT (Ctrl+V)
//   keys W TEXT                 type TEXT where the cursor is
//   key W KEYS                  a key sequence such as Tab, Escape, Ctrl+S
//   call W SLOT [true|false]    call a public slot, as the owning window does
//   set W PROPERTY VALUE        what code (not a user) would do
//   menu TITLE>ENTRY            choose from the window's menu bar
//   answer dismiss | files PATH,PATH | entry N
//                               how to answer the modal dialogs and popup
//                               menus that the following steps run
//   open Class                  open a window of that class, as a hand-over
//                               does, and go on in it (root may be null)
//   @Class                      go on in the visible window of that class
//   close                       close the current window
// Returns the window the script ended in; deferred deletions have run. A
// step that cannot be played (unknown verb, no such widget, property or
// slot) fails the running test at the caller's line, naming the row and the
// step, and ends the script.
QWidget *play(QWidget *root, const QString &steps, const char *file = __builtin_FILE(), int line = __builtin_LINE());

// play() without failing: why a step could not be played, empty when all
// were; root becomes the window the script ended in.
QString tryPlay(QWidget *&root, const QString &steps);

// Checks the state after play(), ';'-separated; empty when all hold,
// otherwise one entry per check that does not (an unknown check, a
// property the widget does not have and a missing widget among them).
// Texts are written in English and also match their translation in a run
// with a test language (see installTestLanguage()).
//   W.property=VALUE            a widget property (bools: true/false);
//                               W.exists=false: no such widget (any more)
//   windows=N                   visible windows and dialogs
//   lonelyCloses=N              windows closed while no other was visible
//   Class#=N                    live windows of that class
//   modal.caption=, modal.directory=, modal.filters=, modal.entries=,
//   modal.count=, modal.atPointer=
//                               what the last answered modal showed
//                               (lists joined with ',')
QString mismatches(QWidget *root, const QString &checks);

} // namespace tivoro::test

// Plays the steps on a window, then checks; reports the first mismatches.
#define TIVORO_PLAY(root, steps, checks)                                                                               \
    do {                                                                                                               \
        QWidget *end_ = tivoro::test::play((root), (steps));                                                           \
        const QString wrong_ = tivoro::test::mismatches(end_, (checks));                                               \
        QVERIFY2(wrong_.isEmpty(), qPrintable(wrong_));                                                                \
    } while (false)
