#include "byte_io.h"

#include <bit>
#include <cstring>

namespace tavrin {

std::optional<std::uint64_t> ByteReader::ReadUnsigned(std::size_t width) {
    if (Remaining() < width) {
        m_pos = m_bytes.size();
        return std::nullopt;
    }
    std::uint64_t value = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&value, m_bytes.data() + m_pos, width);
    } else {
        for (std::size_t i = 0; i < width; ++i) {
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(m_bytes[m_pos + i])) << (8 * i);
        }
    }
    m_pos += width;
    return value;
}

std::optional<std::uint16_t> ByteReader::ReadU16() {
    const auto value = ReadUnsigned(2);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*value);
}

std::optional<std::int16_t> ByteReader::ReadI16() {
    const auto value = ReadU16();
    if (!value) {
        return std::nullopt;
    }
    return std::bit_cast<std::int16_t>(*value);
}

std::optional<double> ByteReader::ReadDouble() {
    const auto value = ReadUnsigned(8);
    if (!value) {
        return std::nullopt;
    }
    return std::bit_cast<double>(*value);
}

std::optional<std::string_view> ByteReader::ReadBytes(std::size_t count) {
    if (Remaining() < count) {
        m_pos = m_bytes.size();
        return std::nullopt;
    }
    const auto view = m_bytes.substr(m_pos, count);
    m_pos += count;
    return view;
}

void ByteWriter::WriteUnsigned(std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        m_bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

void ByteWriter::WriteU16(std::uint16_t value) {
    WriteUnsigned(value, 2);
}

void ByteWriter::WriteI16(std::int16_t value) {
    WriteUnsigned(std::bit_cast<std::uint16_t>(value), 2);
}

void ByteWriter::WriteDouble(double value) {
    WriteUnsigned(std::bit_cast<std::uint64_t>(value), 8);
}

void ByteWriter::WriteBytes(std::string_view bytes) {
    m_bytes.append(bytes);
}

}  // namespace tavrin
