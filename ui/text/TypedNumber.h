#pragma once

#include <QString>
#include <QStringView>

namespace kelmora::ui {

// A number as the user typed or pasted it, made what they meant: full-width digits, Latin
// letters, hyphen and blank as ASCII (an input method gives １２３組 as readily as 123組),
// blanks at both ends dropped. Applied before the text is encoded, so that it is also what
// the Shift-JIS check sees; other characters stay as typed.
QString NumberAsTyped(QStringView text);

// Full-width digits, letters, hyphen and blank as ASCII.
QString HalfWidth(QStringView text);

// A list of numbers edited from `before` into `after`, made what the user meant as NumberAsTyped
// does, but only in the part they changed: numbers they left alone keep their form, which may be
// what a draw's byte rule compares.
QString NumbersAsEdited(QStringView before, QStringView after);

} // namespace kelmora::ui
