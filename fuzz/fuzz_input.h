#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavrin::fuzz {

// Draws values from the fuzzer's bytes; once they run out every draw is 0.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    [[nodiscard]] bool Empty() const { return m_pos >= m_size; }
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int Below(int limit) { return limit <= 0 ? 0 : Byte() % limit; }
    std::int16_t Short() {
        const auto low = Byte();
        return static_cast<std::int16_t>(low | (Byte() << 8));
    }
    // A short text from an alphabet that makes numbers likely.
    std::string Text(int maxLength) {
        static constexpr char kAlphabet[] = "0123456789.,-+eE x\xC2\xB5";
        std::string text;
        const int length = Below(maxLength + 1);
        for (int i = 0; i < length; ++i) {
            text.push_back(kAlphabet[Below(sizeof kAlphabet - 1)]);
        }
        return text;
    }
    std::string Rest() {
        std::string rest(reinterpret_cast<const char*>(m_data + m_pos), m_size - m_pos);
        m_pos = m_size;
        return rest;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Stops the run with a message when an invariant does not hold.
inline void Check(bool condition, const char* what, const std::string& detail = {}) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s %s\n", what, detail.c_str());
        std::abort();
    }
}

}  // namespace tavrin::fuzz
