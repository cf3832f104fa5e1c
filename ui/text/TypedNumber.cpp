#include "ui/text/TypedNumber.h"

namespace kelmora::ui {

QString HalfWidth(QStringView text)
{
    QString typed;
    typed.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'０' && u <= u'９') || (u >= u'Ａ' && u <= u'Ｚ') || (u >= u'ａ' && u <= u'ｚ') || u == u'－')
            typed += QChar(static_cast<char16_t>(u - 0xFEE0));
        else if (u == u'\u2212') // the minus sign some conversions give for －
            typed += u'-';
        else if (u == u'\u3000')
            typed += u' ';
        else
            typed += c;
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
