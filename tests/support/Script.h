#pragma once

#include <QString>

class QWidget;

namespace tivoro::test {

// Drives windows through a script of user steps, one per line or separated
// by ';'. W: an object name, "a/b" for b inside a, "." for the window.
//   click W | rclick W          left / right click on W's middle
//   type W TEXT | paste W TEXT  select all in W, type (nothing: erase) or paste
//   keys W TEXT | key W KEYS    type at the cursor | a sequence (Tab, Ctrl+S)
//   call W SLOT [true|false]    a public slot, as the owning window calls it
//   set W PROPERTY VALUE        what code (not a user) would do
//   menu TITLE>ENTRY            choose from the window's menu bar
//   answer files PATH,PATH      choose those in the file dialogs that the
//                               following steps run (else: Escape)
//   open Class | @Class | close open a window of that class (as a hand-over
//                               does), go on in the visible one, close it
// Returns the window the script ended in, deferred deletions run. A step
// that cannot be played fails the running test at the caller's line, naming
// the row and the step, and ends the script.
QWidget *play(QWidget *root, const QString &steps, const char *file = __builtin_FILE(), int line = __builtin_LINE());

// Checks the state after play(), ';'-separated: empty when all hold, else
// one entry per check that does not or cannot (unknown check or property,
// missing widget). Texts are in English and also match their translation.
//   W.property=VALUE            bools true/false; W.exists=false: no such W
//   windows=N | Class#=N        visible windows and dialogs | live ones of Class
//   lonelyCloses=N              windows closed while no other was visible
//   modal.count=N               modal dialogs and popup menus answered
QString mismatches(QWidget *root, const QString &checks);

} // namespace tivoro::test

// Plays the steps on a window, then checks; reports the first mismatches.
#define TIVORO_PLAY(root, steps, checks)                                                                               \
    do {                                                                                                               \
        QWidget *end_ = tivoro::test::play((root), (steps));                                                           \
        const QString wrong_ = tivoro::test::mismatches(end_, (checks));                                               \
        QVERIFY2(wrong_.isEmpty(), qPrintable(wrong_));                                                                \
    } while (false)
