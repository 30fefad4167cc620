#pragma once

#include <cstddef>
#include <cstring>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

namespace morvane::db {

namespace detail {
// Raw storage for PodArray: small blocks from malloc, large ones mapped directly (with
// transparent huge pages where the system offers them) and grown with mremap, which moves
// page tables instead of copying bytes. Both throw std::bad_alloc.
void* growBlock(void* block, std::size_t usedBytes, std::size_t oldBytes, std::size_t newBytes);
void freeBlock(void* block, std::size_t bytes) noexcept;
}  // namespace detail

// A contiguous, growable array of a trivially copyable type: the storage of result columns.
// Unlike std::vector it grows a large array without copying it, which is most of the cost of
// filling a million-row result, and it never value-initialises what resize() adds.
template <typename T>
class PodArray {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    PodArray() = default;
    PodArray(const PodArray& other) { assign(other.data_, other.size_); }
    PodArray(PodArray&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)),
          size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0)) {}
    PodArray& operator=(const PodArray& other) {
        if (this != &other)
            assign(other.data_, other.size_);
        return *this;
    }
    PodArray& operator=(PodArray&& other) noexcept {
        if (this != &other) {
            release();
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
            capacity_ = std::exchange(other.capacity_, 0);
        }
        return *this;
    }
    ~PodArray() { release(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }
    T* data() { return data_; }
    const T* data() const { return data_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    T& back() { return data_[size_ - 1]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }
    operator std::span<const T>() const { return {data_, size_}; }

    void push_back(T value) {
        if (size_ == capacity_)
            grow(size_ + 1);
        data_[size_++] = value;
    }
    void append(const T* values, std::size_t count) {
        if (size_ + count > capacity_)
            grow(size_ + count);
        if (count)
            std::memcpy(data_ + size_, values, count * sizeof(T));
        size_ += count;
    }
    void assign(std::size_t count, T value) {
        clear();
        reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            data_[i] = value;
        size_ = count;
    }
    void reserve(std::size_t count) {
        if (count > capacity_)
            grow(count);
    }
    void clear() { size_ = 0; }
    void reset() {
        release();
        data_ = nullptr;
        size_ = capacity_ = 0;
    }

  private:
    void grow(std::size_t needed) {
        std::size_t capacity = capacity_ < 16 ? 16 : capacity_ * 2;
        while (capacity < needed)
            capacity *= 2;
        data_ = static_cast<T*>(detail::growBlock(data_, size_ * sizeof(T), capacity_ * sizeof(T),
                                                  capacity * sizeof(T)));
        capacity_ = capacity;
    }
    void assign(const T* values, std::size_t count) {
        clear();
        append(values, count);
    }
    void release() noexcept {
        if (data_)
            detail::freeBlock(data_, capacity_ * sizeof(T));
    }

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

inline std::string_view asText(const PodArray<char>& bytes) {
    return {bytes.data(), bytes.size()};
}

}  // namespace morvane::db
