#pragma once

#include <QTimeEdit>

#include <functional>

// A time field whose display format begins with the day ("dd:HH:mm:ss").
// QTimeEdit's parser knows no date sections: it reads "dd:" as literal text
// while the field shows "01:", so the field's own text never validated and
// kept any fragment typed over it. The date is pinned to one day, so the
// shown day is swapped for the literal around every parse. The two need
// not be equally long (a locale may write the day otherwise): the cursor
// moves by the difference.
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
