#pragma once
// What a store needs to know about its element type (uint8_t, uint16_t, uint32_t, uint64_t,
// CvxUInt, CvxCompareFourState of the four unsigned types, or std::u16string): how a CvxUInt
// enters and leaves it, and how it is laid out in the paging file and the persisted form.
//
// Numeric elements are stored as their raw little-endian bytes (CvxUInt as four 32-bit words,
// least significant first; a four-state element as its value, then its X/Z mask). A string is a record: a signed 32-bit little-endian length n,
// then n bytes, the low 8 bits of each UTF-16 code unit; reading maps byte b back to U+00bb
// (the host 8-bit code page, as CvxStringConvert::CtoW does) without allocating when the
// target string already has the room.

#include "CvxUInt.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

static_assert(std::endian::native == std::endian::little, "the store layouts are little-endian memory images");
static_assert(sizeof(CvxUInt) == 16 && std::is_trivially_copyable_v<CvxUInt>);

// The value of a four-state bus/signal of up to 64 bits at the bus's own width: the value bits
// and the X/Z mask (CvxUInt keeps them as words 0-1 and 2-3), so that a 1-bit signal takes 2
// bytes per sample instead of 16.
template <typename U>
struct CvxCompareFourState {
    U value;
    U mask;
    friend bool operator==(const CvxCompareFourState&, const CvxCompareFourState&) = default;
};

template <typename T>
struct CvxCompareIsFourState : std::false_type {};
template <typename U>
struct CvxCompareIsFourState<CvxCompareFourState<U>> : std::true_type {};

template <typename T>
struct CvxCompareElement {
    static constexpr bool kIsString = std::is_same_v<T, std::u16string>;
    static constexpr bool kIsFourState = CvxCompareIsFourState<T>::value;
    // Plain unsigned numbers, which the block-wise comparison may read as raw runs.
    static constexpr bool kIsPlain = std::is_unsigned_v<T>;
    // Bytes per numeric element (0 for strings, whose records vary).
    static constexpr std::size_t kWidth = kIsString ? 0 : sizeof(T);
    // Bytes of the value part: kWidth, or half of it for a four-state element.
    static constexpr std::size_t kValueWidth = kIsFourState ? kWidth / 2 : kWidth;
    // Smallest number of bytes one element takes in a layout.
    static constexpr std::size_t kMinBytes = kIsString ? 4 : sizeof(T);

    static T FromUInt(const CvxUInt& value)
    {
        if constexpr (std::is_same_v<T, CvxUInt>) {
            return value;
        } else if constexpr (kIsFourState) {
            using U = decltype(T::value);
            return T{static_cast<U>(value.Low64()), static_cast<U>(value.High64())};
        } else if constexpr (std::is_same_v<T, std::uint64_t>) {
            return value.Low64();
        } else if constexpr (!kIsString) {
            return static_cast<T>(value.GetWord(0));
        } else {
            return {};
        }
    }

    static void ToUInt(const T& element, CvxUInt& out)
    {
        if constexpr (std::is_same_v<T, CvxUInt>) {
            out = element;
        } else if constexpr (kIsFourState) {
            out = CvxUInt::FourState(element.value, element.mask);
        } else if constexpr (!kIsString) {
            out = CvxUInt(static_cast<std::uint64_t>(element));
        }
    }

    // Sets an element to zero (an empty string keeps its buffer for reuse).
    static void Clear(T& element)
    {
        if constexpr (kIsString) {
            element.clear();
        } else {
            element = T{};
        }
    }

    // The element as the paging file keeps it: strings with each code unit cut to its low 8
    // bits (into `scratch` when that changes anything), so that a value reads the same
    // whether its page is in memory or comes back from the file.
    static const T& Narrow(const T& element, T& scratch)
    {
        if constexpr (kIsString) {
            if (std::all_of(element.begin(), element.end(), [](char16_t c) { return c <= 0xFF; })) {
                return element;
            }
            scratch.assign(element);
            for (char16_t& c : scratch) {
                c = static_cast<char16_t>(c & 0xFF);
            }
            return scratch;
        } else {
            (void)scratch;
            return element;
        }
    }

    // Appends `n` elements to a byte layout.
    static void Encode(const T* elements, std::size_t n, std::vector<std::uint8_t>& out)
    {
        if constexpr (kIsString) {
            for (std::size_t i = 0; i < n; ++i) {
                EncodeString(elements[i], out);
            }
        } else {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(elements);
            out.insert(out.end(), bytes, bytes + n * sizeof(T));
        }
    }

    // Reads `n` elements from a reader (see CvxCompareMemoryReader); false when the reader ran
    // out first (the elements read so far stay).
    template <typename Reader>
    static bool Decode(Reader& reader, T* elements, std::size_t n)
    {
        if constexpr (kIsString) {
            for (std::size_t i = 0; i < n; ++i) {
                if (!DecodeString(reader, elements[i])) {
                    return false;
                }
            }
            return true;
        } else {
            if (n == 0) {
                return true; // an empty row: `elements` may be null, which memcpy must never get
            }
            const std::uint8_t* bytes = reader.Take(n * sizeof(T));
            if (bytes == nullptr) {
                return false;
            }
            std::memcpy(static_cast<void*>(elements), bytes, n * sizeof(T));
            return true;
        }
    }

private:
    static void EncodeString(const std::u16string& text, std::vector<std::uint8_t>& out)
    {
        const auto n = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
        const std::size_t at = out.size();
        out.resize(at + 4 + static_cast<std::size_t>(n));
        std::memcpy(out.data() + at, &n, 4);
        std::uint8_t* bytes = out.data() + at + 4;
        for (std::int32_t i = 0; i < n; ++i) {
            bytes[i] = static_cast<std::uint8_t>(text[static_cast<std::size_t>(i)]);
        }
    }

    template <typename Reader>
    static bool DecodeString(Reader& reader, std::u16string& text)
    {
        const std::uint8_t* head = reader.Take(4);
        if (head == nullptr) {
            return false;
        }
        std::int32_t n = 0;
        std::memcpy(&n, head, 4);
        if (n <= 0) {
            text.clear();
            return true;
        }
        // The length is checked against the bytes that back it before anything is sized by it.
        const std::uint8_t* bytes = reader.Take(static_cast<std::size_t>(n));
        if (bytes == nullptr) {
            return false;
        }
        text.resize(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i) {
            text[static_cast<std::size_t>(i)] = static_cast<char16_t>(bytes[i]);
        }
        return true;
    }
};
