#pragma once
// Shift-JIS texts that many tests spell out; the bytes are written here once, with their meaning.

#include <string>

namespace kelmora::test {

inline const std::string kKumi = "\x91\x67"; // 組
inline const std::string kKumiTicket = "12\x91\x67"
                                       "345";                                 // 12組345, a ticket number
inline const std::string kWinningNumber = "\x93\x96\x91\x49\x94\xD4\x8D\x86"; // 当選番号, a report heading
// に当選したクジの番号, the report's line before the ticket that won
inline const std::string kWonBy = "\x82\xC9\x93\x96\x91\x49\x82\xB5\x82\xBD\x83\x4E\x83\x57\x82\xCC\x94\xD4\x8D\x86";
// 表, whose trail byte is the code of a backslash
inline const std::string kHyou = "\x95\x5C";

} // namespace kelmora::test
