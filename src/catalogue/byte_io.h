#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// Bounds-checked little-endian reads from a byte buffer: every read either
// yields a whole value or nothing, and never looks past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    [[nodiscard]] bool AtEnd() const { return m_pos >= m_bytes.size(); }
    [[nodiscard]] std::size_t Remaining() const { return m_bytes.size() - m_pos; }

    std::optional<std::uint16_t> ReadU16();
    std::optional<std::int16_t> ReadI16();
    std::optional<double> ReadDouble();
    std::optional<std::string_view> ReadBytes(std::size_t count);

private:
    std::optional<std::uint64_t> ReadUnsigned(std::size_t width);

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

class ByteWriter {
public:
    void WriteU16(std::uint16_t value);
    void WriteI16(std::int16_t value);
    void WriteDouble(double value);
    void WriteBytes(std::string_view bytes);

    [[nodiscard]] const std::string& Bytes() const { return m_bytes; }

private:
    void WriteUnsigned(std::uint64_t value, std::size_t width);

    std::string m_bytes;
};

}  // namespace tavrin
