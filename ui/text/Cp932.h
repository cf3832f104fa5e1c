#pragma once
// The one place where the data's Shift-JIS (code page 932) bytes meet the screen's Unicode.
//
// Decoding works in units: one character of the bytes, one line end (CR LF, CR or LF), or one
// byte that does not decode. Every unit becomes exactly one UTF-16 code unit, so a position in
// the decoded text always maps back to a byte offset (Cp932UnitOffset).

#include "core/base/ByteString.h"

#include <QString>

#include <cstddef>
#include <string_view>

namespace kelmora::ui {

// For display: line ends become '\n', undecodable bytes U+FFFD.
QString DecodeCp932(std::string_view bytes);

// The byte offset at which unit `units` of `bytes` starts (bytes.size() past the last unit).
std::size_t Cp932UnitOffset(std::string_view bytes, std::size_t units);

// Text the user typed, as bytes; '\n' becomes CR LF. A character that Shift-JIS cannot hold
// is refused with a TKelmoraError rather than stored as a substitute.
TByteString EncodeCp932(QStringView text);

// Text the user made by editing what DecodeCp932(original) showed, as bytes. What the edit
// left alone keeps its bytes (also codes that decoding cannot give back, and bytes that do not
// decode at all): the units before and after the changed part, and within it each number or
// word, between commas and blanks, that stands in the original as it is. Only what is new is
// encoded, and refused as EncodeCp932 refuses it.
TByteString EncodeCp932Edit(std::string_view original, QStringView text);

// A ticket number typed into the entry box: as EncodeCp932, and a line break is refused too,
// since a ticket number is one line of the ticket file.
TByteString EncodeTicketNumber(QStringView text);

} // namespace kelmora::ui
