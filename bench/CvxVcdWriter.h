#pragma once
// The text side of the benchmark VCD generators: a buffered file that takes timestamps and
// vector changes, and the seeded random numbers the generators draw from.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class CvxVcdWriter {
public:
    explicit CvxVcdWriter(const std::string& path);

    bool IsOpen() const { return m_file != nullptr; }
    // Bytes handed to the writer so far, written or still buffered.
    std::uint64_t GetSize() const { return m_written + m_buffer.size(); }

    void Append(std::string_view text) { m_buffer += text; }
    void Stamp(std::int64_t time);
    // "b<width bits> <code>": the low `width` bits of value, most significant first.
    void Vector(std::uint64_t value, int width, std::string_view code);
    // Writes the buffer out once it holds a few MiB; false when the file cannot take it.
    bool FlushIfFull();
    // Writes what is left; answers the file's size, 0 when any write failed.
    std::uint64_t Finish();

    // splitmix64: fast, seedable, and the same on every machine.
    static std::uint64_t Next(std::uint64_t& state);

private:
    bool Flush();

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_file;
    std::string m_buffer;
    std::uint64_t m_written = 0;
    bool m_failed = false;
};
