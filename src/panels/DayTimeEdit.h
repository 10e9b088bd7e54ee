#pragma once

#include <QTimeEdit>

#include <functional>

// A time field whose display format begins with the day ("dd:HH:mm:ss").
// QTimeEdit's parser reads "dd:" as literal text while the field shows the
// day, so its own text would never validate; the shown day is swapped for
// that literal around every parse.
class DayTimeEdit : public QTimeEdit
{
    Q_OBJECT

public:
    explicit DayTimeEdit(QWidget *parent = nullptr);

protected:
    QValidator::State validate(QString &text, int &pos) const override;
    void fixup(QString &text) const override;
    QDateTime dateTimeFromText(const QString &text) const override;

private:
    // Runs parse on the text as the toolkit's parser reads it and takes back
    // what the parser made of it; nothing for a text without the shown day.
    // parse gets how much longer the parser's text begins than the shown one.
    void parseAsToolkit(QString &text, const std::function<void(QString &, int shift)> &parse) const;
};
