#include "ui/text/TypedNumber.h"

#include "core/text/FullWidth.h"

namespace kelmora::ui {

QString HalfWidth(QStringView text)
{
    QString typed;
    typed.reserve(text.size());
    for (const QChar c : text) {
        const char ascii = FoldFullWidth(char32_t{c.unicode()});
        typed += ascii == 0 ? c : QLatin1Char(ascii);
    }
    return typed;
}

QString NumberAsTyped(QStringView text)
{
    return HalfWidth(text).trimmed();
}

QString NumbersAsEdited(QStringView before, QStringView after)
{
    qsizetype start = 0;
    while (start < before.size() && start < after.size() && before[start] == after[start])
        ++start;
    qsizetype end = 0;
    while (end < before.size() - start && end < after.size() - start &&
           before[before.size() - 1 - end] == after[after.size() - 1 - end])
        ++end;
    QString edited = after.left(start).toString();
    edited += HalfWidth(after.mid(start, after.size() - start - end));
    edited += after.right(end);
    return edited.trimmed();
}

} // namespace kelmora::ui
