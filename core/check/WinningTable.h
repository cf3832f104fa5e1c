#pragma once

#include "core/base/ByteString.h"
#include "core/base/LineList.h"
#include "core/match/MatchRule.h"
#include "core/match/PickDraw.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelmora {

// Winning numbers and, beside each, its prize class label, the class's kind of match and its
// place among the draw's classes; the columns stay in step.
class TWinningTable {
public:
    void Clear()
    {
        numbers_.clear();
        labels_.clear();
        rules_.clear();
        classOf_.clear();
        picks_ = TPickDraw();
    }
    void Add(std::string_view number, std::string_view label, TMatchRule rule = TMatchRule::Bytes,
             std::uint32_t classIndex = 0)
    {
        numbers_.push_back(number);
        labels_.push_back(label);
        rules_.push_back(rule);
        classOf_.push_back(classIndex);
    }
    // Adds each of `numbers` as Add does, with one copy of `label` for them all.
    void AddClass(const TLineList& numbers, std::string_view label, TMatchRule rule, std::uint32_t classIndex)
    {
        if (numbers.empty())
            return;
        numbers_.append(numbers);
        labels_.push_back(label);
        labels_.RepeatBack(numbers.size() - 1);
        rules_.insert(rules_.end(), numbers.size(), rule);
        classOf_.insert(classOf_.end(), numbers.size(), classIndex);
    }
    // Room for `entries` more entries with `numberBytes` and `labelBytes` in all (a label added
    // by AddClass counted once), so that a large draw is not copied as it grows.
    void Reserve(std::size_t entries, std::size_t numberBytes, std::size_t labelBytes)
    {
        numbers_.reserve(numbers_.size() + entries, numbers_.ByteSize() + numberBytes);
        labels_.reserve(labels_.size() + entries, labels_.ByteSize() + labelBytes);
        rules_.reserve(rules_.size() + entries);
        classOf_.reserve(classOf_.size() + entries);
    }
    // Marks the last entry added as one checked ticket by ticket, as `pickClass` says.
    void AddPick(TPickClass pickClass) { picks_.Add(static_cast<std::uint32_t>(numbers_.size() - 1), std::move(pickClass)); }
    std::size_t Count() const { return numbers_.size(); }
    const TLineList& Numbers() const { return numbers_; }
    const TLineList& Labels() const { return labels_; }
    const std::vector<TMatchRule>& Rules() const { return rules_; }
    const std::vector<std::uint32_t>& ClassOf() const { return classOf_; }
    const TPickDraw& Picks() const { return picks_; }

private:
    TLineList numbers_;
    TLineList labels_;
    std::vector<TMatchRule> rules_;
    std::vector<std::uint32_t> classOf_;
    TPickDraw picks_;
};

} // namespace kelmora
