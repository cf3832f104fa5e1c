#include "ui/text/TypedNumber.h"

namespace kelmora::ui {

QString NumberAsTyped(QStringView text)
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
    return typed.trimmed();
}

} // namespace kelmora::ui
