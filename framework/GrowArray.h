// The framework's growable array of plain values: room for 3 at first; an
// append that finds it full makes room for 3 x length + 1. A pop that leaves
// fewer elements than half the room halves the room (used by stacks).
#pragma once

#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace vek {

template <typename T>
class GrowArray {
    static_assert(std::is_trivially_copyable<T>::value, "plain values only");

public:
    GrowArray() = default;
    GrowArray(const GrowArray&) = delete;
    GrowArray& operator=(const GrowArray&) = delete;
    ~GrowArray() { std::free(items_); }

    // False, and nothing appended, when memory runs out.
    bool Append(const T& value) {
        if (length_ == room_ && !Resize(room_ == 0 ? kInitialRoom : 3 * length_ + 1)) return false;
        items_[length_++] = value;
        return true;
    }
    T Pop() {
        T value = items_[--length_];
        if (length_ < room_ / 2) Resize(room_ / 2);
        return value;
    }
    const T& Top() const { return items_[length_ - 1]; }
    T& operator[](size_t i) { return items_[i]; }
    const T& operator[](size_t i) const { return items_[i]; }
    size_t Length() const { return length_; }
    size_t Room() const { return room_; }
    const T* Data() const { return items_; }
    void Clear() { length_ = 0; }
    void Release() {
        std::free(items_);
        items_ = nullptr;
        length_ = room_ = 0;
    }

private:
    static constexpr size_t kInitialRoom = 3;
    bool Resize(size_t room) {
        if (room < length_) room = length_;
        void* grown = std::realloc(items_, (room == 0 ? 1 : room) * sizeof(T));
        if (grown == nullptr) return false;
        items_ = static_cast<T*>(grown);
        room_ = room;
        return true;
    }
    T* items_ = nullptr;
    size_t length_ = 0;
    size_t room_ = 0;
};

}  // namespace vek
