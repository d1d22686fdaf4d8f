#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <new>
#include <utility>

#include "weftcpplib/WeftException.h"

namespace weftcpplib {

// Name of the element type in the range messages.
template <typename T> struct weft_type_name;
template <> struct weft_type_name<short> {
    static constexpr const wchar_t* value = L"short";
};

// A row-major rectangle of cells in one contiguous block, addressed by
// (row, column). Hot loops use data, cols and rows directly; at() checks.
template <typename T>
class weft2darray {
public:
    T* data = nullptr;
    std::uint32_t cols = 0;
    std::uint32_t rows = 0;

    weft2darray(std::uint32_t row_count, std::uint32_t col_count) { allocate(row_count, col_count, true); }

    weft2darray(const weft2darray& other)
    {
        allocate(other.rows, other.cols, false);
        for (std::size_t i = 0, n = count(); i < n; ++i)
            data[i] = other.data[i];
    }

    weft2darray& operator=(const weft2darray&) = delete;

    virtual ~weft2darray() { delete[] data; }

    virtual bool empty() const { return count() == 0; }

    // The old cells are lost and the new ones are not initialised.
    virtual void resize(std::uint32_t row_count, std::uint32_t col_count)
    {
        delete[] data;
        data = nullptr;
        rows = cols = 0;
        allocate(row_count, col_count, false);
    }

    virtual void assign(std::initializer_list<std::initializer_list<T>> values)
    {
        std::uint32_t r = 0;
        for (const auto& list : values) {
            if (r >= rows)
                break;
            std::uint32_t c = 0;
            for (const T& v : list) {
                if (c >= cols)
                    break;
                data[static_cast<std::size_t>(r) * cols + c] = v;
                ++c;
            }
            ++r;
        }
    }

    virtual void fill(const T& value)
    {
        for (std::size_t i = 0, n = count(); i < n; ++i)
            data[i] = value;
    }

    virtual T& at(std::uint32_t row, std::uint32_t col)
    {
        if (row >= rows || col >= cols)
            throw WeftExceptionF(L"weftcpplib::weft2darray<%ls>::at(%d,%d) 行または列インデックスが範囲外です",
                                 weft_type_name<T>::value, static_cast<int>(row), static_cast<int>(col));
        return data[static_cast<std::size_t>(row) * cols + col];
    }

    // Exchanges blocks and dimensions.
    void swap(weft2darray& other) noexcept
    {
        std::swap(data, other.data);
        std::swap(cols, other.cols);
        std::swap(rows, other.rows);
    }

protected:
    std::size_t count() const { return static_cast<std::size_t>(rows) * cols; }

    void allocate(std::uint32_t row_count, std::uint32_t col_count, bool zero)
    {
        const std::uint64_t cells = static_cast<std::uint64_t>(row_count) * col_count;
        // A block whose byte size does not fit in 32 bits is refused, as on the
        // 32-bit target. Compared as a cell count: the byte size itself can
        // wrap around 64 bits.
        if (cells > std::numeric_limits<std::uint32_t>::max() / sizeof(T))
            throw std::bad_alloc();
        data = cells ? (zero ? new T[cells]() : new T[cells]) : nullptr;
        rows = row_count;
        cols = col_count;
    }
};

// The same rectangle addressed by (x, y) as on a screen: x along a row.
template <typename T>
class weft2dmapper : public weft2darray<T> {
public:
    weft2dmapper(std::uint32_t width, std::uint32_t height) : weft2darray<T>(height, width) {}

    void resize(std::uint32_t width, std::uint32_t height) override { weft2darray<T>::resize(height, width); }

    T& at(std::uint32_t x, std::uint32_t y) override
    {
        if (x >= this->cols || y >= this->rows)
            throw WeftExceptionF(L"weftcpplib::weft2dmapper<%ls>::at(%d,%d) 横位置または縦位置が範囲外です",
                                 weft_type_name<T>::value, static_cast<int>(x), static_cast<int>(y));
        return this->data[static_cast<std::size_t>(y) * this->cols + x];
    }
};

} // namespace weftcpplib
