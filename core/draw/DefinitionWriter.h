#pragma once

#include "core/base/ByteString.h"
#include "core/base/LineList.h"
#include "core/draw/LotteryDefinition.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// A definition as the file holds it, written so that LoadDefinition reads back the same name,
// labels, prizes and winning numbers.
struct TDefinitionText {
    TByteString bytes;
    // Classes (index into the definition) whose numbers did not fit in one value and were
    // written as several consecutive classes with the same label and prize.
    std::vector<std::size_t> splitClasses;
};

// One winning number as the number-list rule reads it back: quoted, quotes doubled, when it
// holds a comma, a blank or a quote, is empty, or ends in a lone lead byte.
TByteString QuoteNumber(std::string_view number);

// The numbers joined with commas, each quoted as QuoteNumber quotes it, on one line.
TByteString JoinedNumbers(const TLineList& numbers);

// The numbers joined with commas into values of at most `maxBytes` bytes each, in order.
// Throws when a single number cannot fit; `row` (from 1) names the class in the message.
std::vector<TByteString> JoinNumbers(const TLineList& numbers, std::size_t row, std::size_t maxBytes = 255);

// The file's bytes: [Ver] No and EVENT, then [Hit] with HitN, NoN and SHON per class, and RuleN
// for a class that names a kind of match, CR LF. Refuses, naming the class's row, what the
// reader would cut, merge or stop at (a class with no winning number, a value over 255 bytes,
// a line break in a value) and an other-group number without 組.
TDefinitionText FormatDefinition(const TLotteryDefinition& definition);

// Formats, then replaces the file at `path` atomically.
TDefinitionText SaveDefinition(const std::string& path, const TLotteryDefinition& definition);

} // namespace kelmora
