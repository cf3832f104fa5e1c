#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelmora {

// What every suffix index gives its user: an id for each winning number, equal numbers sharing
// one, so that wins can be grouped per distinct number and reported in table order.
class TNumberIds {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // Id of each number given to the constructor; equal numbers share an id.
    std::uint32_t IdOf(std::size_t index) const { return idOf_[index]; }
    // The ids of all numbers, by index; the index keeps none after this.
    std::vector<std::uint32_t> TakeIds() { return std::move(idOf_); }
    std::size_t DistinctCount() const { return distinctCount_; }

protected:
    // While the index is built: room for the ids of `count` numbers, a new distinct number's
    // id, and the id of number `index`.
    void ReserveIds(std::size_t count) { idOf_.resize(count); }
    std::uint32_t NewId() { return static_cast<std::uint32_t>(distinctCount_++); }
    void SetId(std::size_t index, std::uint32_t id) { idOf_[index] = id; }

private:
    std::vector<std::uint32_t> idOf_;
    std::size_t distinctCount_ = 0;
};

} // namespace kelmora
