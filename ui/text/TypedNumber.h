#pragma once

#include <QString>
#include <QStringView>

namespace kelmora::ui {

// A number as the user typed or pasted it, made what they meant: full-width digits, Latin
// letters, hyphen and blank as ASCII (an input method gives １２３組 as readily as 123組),
// blanks at both ends dropped. Applied before the text is encoded, so that it is also what
// the Shift-JIS check sees; other characters stay as typed.
QString NumberAsTyped(QStringView text);

} // namespace kelmora::ui
