#pragma once

#include "core/base/ByteString.h"
#include "core/match/NumberSet.h"
#include "core/match/PurchaseType.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelmora {

// Appends the numbers picked on a line, in the order written: numbers separated by blanks,
// commas or 、 (full-width forms too), full-width digits as ASCII, leading zeros dropped.
// Anything before the first digit is a label (`A`) and is skipped. Returns false, with
// `numbers` as far as it got, when the rest holds anything else or a number past 9 digits.
bool ReadPickNumbers(std::string_view text, std::vector<std::uint32_t>& numbers);

// One ticket as the number-selection classes see it: its purchase word, its number in
// normalised form, and the numbers it picked. Read once per ticket, into the same storage.
class TPickTicket {
public:
    // `normalise`: whether the classes compare the ticket's number as a number (box, whole,
    // ends); only then is it normalised.
    void Read(std::string_view ticket, bool normalise = true);

    TPurchaseType Type() const { return type_; }
    std::string_view Number() const { return number_; }           // before the purchase word, as written
    const TByteString& Normalised() const { return normalised_; } // Number() normalised
    bool Picked() const { return picked_; }                       // whether it reads as picked numbers
    const std::vector<std::uint32_t>& InOrder() const { return inOrder_; }
    const TNumberSet& Set() const { return set_; }

private:
    TPurchaseType type_ = TPurchaseType::None;
    std::string_view number_;
    TByteString normalised_;
    bool picked_ = false;
    std::vector<std::uint32_t> inOrder_;
    TNumberSet set_;
};

} // namespace kelmora
