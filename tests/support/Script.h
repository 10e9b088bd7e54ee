#pragma once

#include <QString>

class QWidget;

namespace tivoro::test {

// Plays user steps (';' or newline between): click|rclick W, type|paste W
// TEXT (over all), keys W TEXT, key W KEYS, call W SLOT [true|false], set W
// PROPERTY VALUE, menu TITLE>ENTRY, answer files P,P (else Escape), open|@Class,
// close; W is "name", "a/b" or ".". A step it cannot play fails the row at the
// caller's line. Returns the window it ended in.
QWidget *play(QWidget *root, const QString &steps, const char *file = __builtin_FILE(), int line = __builtin_LINE());

// Checks after play(), ';' between: W.property=VALUE (W.exists=false),
// windows=N (visible), Class#=N (live), lonelyCloses=N, modal.count=N; texts
// in English match their translation. Empty when all hold, else what fails.
QString mismatches(QWidget *root, const QString &checks);

} // namespace tivoro::test

// Plays the steps on a window, then checks; reports the first mismatches.
#define TIVORO_PLAY(root, steps, checks)                                                                               \
    do {                                                                                                               \
        QWidget *end_ = tivoro::test::play((root), (steps));                                                           \
        const QString wrong_ = tivoro::test::mismatches(end_, (checks));                                               \
        QVERIFY2(wrong_.isEmpty(), qPrintable(wrong_));                                                                \
    } while (false)
