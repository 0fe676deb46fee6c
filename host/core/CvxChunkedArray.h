#pragma once
// Column storage in fixed chunks of 65536 elements: appending never copies what is stored,
// so a column grows to its final size without a doubling peak, and readers walk one chunk
// at a time through a plain pointer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

template <typename T>
class CvxChunkedArray {
public:
    static constexpr int kShift = 16;
    static constexpr std::size_t kChunk = std::size_t{1} << kShift;
    static constexpr std::size_t kMask = kChunk - 1;
    // Zeroed elements after the last one of every chunk, so that a reader may load eight
    // bytes at any element and mask off what it does not need.
    static constexpr std::size_t kPad = (8 + sizeof(T) - 1) / sizeof(T);

    CvxChunkedArray() = default;
    // A moved-from array is empty (its cursor must not point into the chunks it gave away).
    CvxChunkedArray(CvxChunkedArray&& other) noexcept { Swap(other); }
    CvxChunkedArray& operator=(CvxChunkedArray&& other) noexcept
    {
        CvxChunkedArray taken(std::move(other));
        Swap(taken);
        return *this;
    }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    // A store and a pointer bump; growing is out of line, once a chunk.
    void push_back(const T& value)
    {
        if (m_cursor == m_limit) [[unlikely]] {
            Grow();
        }
        *m_cursor++ = value;
        ++m_size;
    }
    // Appends `count` copies of `value`.
    void append(std::size_t count, const T& value)
    {
        for (std::size_t i = 0; i < count; ++i) {
            push_back(value);
        }
    }
    // Appends `count` elements of `other` from `first` on, a piece of a chunk at a time once
    // the first chunk is full.
    void append_from(const CvxChunkedArray& other, std::size_t first, std::size_t count)
    {
        while (count > 0) {
            const std::size_t index = m_size & kMask;
            if (m_size < kChunk || (index == 0 && (m_size >> kShift) == m_chunks.size())) {
                push_back(other[first]); // grows the first chunk or makes the next one
                ++first;
                --count;
                continue;
            }
            const std::size_t n = std::min({count, kChunk - index, kChunk - (first & kMask)});
            std::copy_n(&other[first], n, &m_chunks[m_size >> kShift][index]);
            m_size += n;
            m_cursor += n;
            first += n;
            count -= n;
        }
    }
    const T& operator[](std::size_t i) const { return m_chunks[i >> kShift][i & kMask]; }
    T& operator[](std::size_t i) { return m_chunks[i >> kShift][i & kMask]; }
    const T& back() const { return (*this)[m_size - 1]; }
    T& back() { return (*this)[m_size - 1]; }

    std::size_t ChunkCount() const { return m_chunks.size(); }
    const T* ChunkData(std::size_t chunk) const { return m_chunks[chunk].get(); }
    std::size_t ChunkLength(std::size_t chunk) const
    {
        return chunk + 1 < m_chunks.size() ? kChunk : m_size - (chunk << kShift);
    }

    std::size_t MemoryBytes() const
    {
        std::size_t bytes = m_chunks.capacity() * sizeof(std::unique_ptr<T[]>);
        for (std::size_t c = 0; c < m_chunks.size(); ++c) {
            bytes += ((c == 0 ? m_firstCapacity : kChunk) + kPad) * sizeof(T);
        }
        return bytes;
    }

private:
    void Swap(CvxChunkedArray& other) noexcept
    {
        m_chunks.swap(other.m_chunks);
        std::swap(m_firstCapacity, other.m_firstCapacity);
        std::swap(m_size, other.m_size);
        std::swap(m_cursor, other.m_cursor);
        std::swap(m_limit, other.m_limit);
    }

    // Makes room for the next element: the first chunk doubles (from 16) until it is whole,
    // then whole chunks are added.
    [[gnu::noinline]] void Grow()
    {
        const std::size_t chunk = m_size >> kShift;
        const std::size_t index = m_size & kMask;
        if (chunk == m_chunks.size()) {
            // The first chunk starts small so that small columns stay small.
            m_chunks.push_back(Allocate(m_chunks.empty() ? 16 : kChunk));
            m_firstCapacity = m_chunks.size() == 1 ? 16 : m_firstCapacity;
        } else {
            const std::size_t grown = m_firstCapacity * 2;
            std::unique_ptr<T[]> bigger = Allocate(grown);
            std::copy(m_chunks[0].get(), m_chunks[0].get() + index, bigger.get());
            m_chunks[0] = std::move(bigger);
            m_firstCapacity = grown;
        }
        m_cursor = m_chunks[chunk].get() + index;
        m_limit = m_chunks[chunk].get() + (chunk == 0 ? m_firstCapacity : kChunk);
    }

    // Only the padding is zeroed: values are written before they are read, and zero-filling
    // whole chunks costs a large load a sixth of its time.
    static std::unique_ptr<T[]> Allocate(std::size_t capacity)
    {
        std::unique_ptr<T[]> chunk = std::make_unique_for_overwrite<T[]>(capacity + kPad);
        std::fill(chunk.get() + capacity, chunk.get() + capacity + kPad, T{});
        return chunk;
    }

    std::vector<std::unique_ptr<T[]>> m_chunks;
    std::size_t m_firstCapacity = 0;
    std::size_t m_size = 0;
    // The next slot and the end of the chunk being filled (equal when it is full).
    T* m_cursor = nullptr;
    T* m_limit = nullptr;
};

// Strings of a column, 65536 to a chunk: one character buffer and the end offsets.
class CvxStringChunks {
public:
    static constexpr int kShift = 16;
    static constexpr std::size_t kChunk = std::size_t{1} << kShift;
    static constexpr std::size_t kMask = kChunk - 1;

    std::size_t size() const { return m_size; }

    void push_back(std::u16string_view value)
    {
        const std::size_t chunk = m_size >> kShift;
        if (chunk == m_chunks.size()) {
            m_chunks.emplace_back();
        }
        Chunk& c = m_chunks[chunk];
        c.chars.append(value);
        c.ends.push_back(static_cast<std::uint32_t>(c.chars.size()));
        ++m_size;
    }
    std::u16string_view operator[](std::size_t i) const
    {
        const Chunk& c = m_chunks[i >> kShift];
        const std::size_t k = i & kMask;
        const std::uint32_t begin = k == 0 ? 0 : c.ends[k - 1];
        return std::u16string_view(c.chars.data() + begin, c.ends[k] - begin);
    }

    std::size_t MemoryBytes() const
    {
        std::size_t bytes = m_chunks.capacity() * sizeof(Chunk);
        for (const auto& c : m_chunks) {
            bytes += c.chars.capacity() * sizeof(char16_t) + c.ends.capacity() * sizeof(std::uint32_t);
        }
        return bytes;
    }

private:
    struct Chunk {
        std::u16string chars;
        std::vector<std::uint32_t> ends;
    };
    std::vector<Chunk> m_chunks;
    std::size_t m_size = 0;
};
