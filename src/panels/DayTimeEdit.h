#pragma once

#include <QTimeEdit>

#include <functional>

// A time field whose display format begins with the day, such as
// "dd:HH:mm:ss". QTimeEdit's parser knows time sections only: it reads the
// leading "dd:" as literal text while the field shows "01:", so the field's
// own text never validates, the line edit keeps any fragment typed over it,
// and Tab selects sections past the fragment's end. The date of a time edit
// is pinned to one day, so the shown day is fixed: it is swapped for the
// literal before the toolkit parses and back after. Made for a numeric day,
// whose shown and literal texts are equally long.
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
    void parseAsToolkit(QString &text, const std::function<void(QString &)> &parse) const;
};
