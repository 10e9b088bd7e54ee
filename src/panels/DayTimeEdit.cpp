#include "panels/DayTimeEdit.h"

DayTimeEdit::DayTimeEdit(QWidget *parent)
    : QTimeEdit(parent)
{
}

QValidator::State DayTimeEdit::validate(QString &text, int &pos) const
{
    QValidator::State state = QValidator::Invalid;
    parseAsToolkit(text, [&](QString &parsed, int shift) {
        int parsedPos = pos + shift;
        state = QTimeEdit::validate(parsed, parsedPos);
        pos = qMax(0, parsedPos - shift);
    });
    return state;
}

void DayTimeEdit::fixup(QString &text) const
{
    parseAsToolkit(text, [this](QString &parsed, int) { QTimeEdit::fixup(parsed); });
}

QDateTime DayTimeEdit::dateTimeFromText(const QString &text) const
{
    QDateTime value = dateTime();
    QString copy = text;
    parseAsToolkit(copy, [&](QString &parsed, int) { value = QTimeEdit::dateTimeFromText(parsed); });
    return value;
}

void DayTimeEdit::parseAsToolkit(QString &text, const std::function<void(QString &, int)> &parse) const
{
    // Everything in front of the first time section is literal to the parser.
    const QString format = displayFormat();
    int end = 0;
    for (bool quoted = false; end < format.size() && (quoted || !QStringLiteral("hHmszaA").contains(format.at(end)));
         ++end)
        quoted ^= format.at(end) == QLatin1Char('\'');
    const QString literal = format.left(end).remove(QLatin1Char('\''));
    const QString shown = locale().toString(date(), format.left(end));
    if (!text.startsWith(shown))
        return;
    QString parsed = literal + text.mid(shown.size());
    parse(parsed, int(literal.size() - shown.size()));
    if (parsed.startsWith(literal))
        text = shown + parsed.mid(literal.size());
}
