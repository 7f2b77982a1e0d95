#include "number_grammar.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavrin {
namespace {

constexpr std::int64_t kCountCap = 1'000'000'000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

void NumberScanner::Feed(char c) {
    const bool digit = IsDigit(c);
    switch (m_state) {
        case State::LeadBlank:
        case State::Sign:
            if (c == ' ' && m_state == State::LeadBlank) {
                break;
            }
            if ((c == '+' || c == '-') && m_state == State::LeadBlank) {
                m_negative = c == '-';
                m_state = State::Sign;
            } else if (digit) {
                IntegerDigit(c);
                m_state = State::Integer;
            } else if (c == m_decimal) {
                m_plain.push_back('.');
                m_state = State::PointOnly;
            } else {
                m_state = State::Dead;
            }
            break;
        case State::Integer:
            if (digit) {
                IntegerDigit(c);
            } else if (c == m_group) {
                // digit groups are read as digits are
            } else if (c == m_decimal) {
                m_plain.push_back('.');
                m_state = State::Fraction;
            } else {
                AfterDigits(c);
            }
            break;
        case State::PointOnly:
            if (digit) {
                FractionDigit(c);
                m_state = State::Fraction;
            } else {
                m_state = State::Dead;
            }
            break;
        case State::Fraction:
            if (digit) {
                FractionDigit(c);
            } else {
                AfterDigits(c);
            }
            break;
        case State::ExponentMark:
            if (c == '+' || c == '-') {
                m_plain.push_back(c);
                m_exponentNegative = c == '-';
                m_state = State::ExponentSign;
            } else if (digit) {
                ExponentDigit(c);
                m_state = State::Exponent;
            } else {
                m_state = State::Dead;
            }
            break;
        case State::ExponentSign:
        case State::Exponent:
            if (digit) {
                ExponentDigit(c);
                m_state = State::Exponent;
            } else if (c == ' ' && m_state == State::Exponent) {
                m_state = State::TrailBlank;
            } else {
                m_state = State::Dead;
            }
            break;
        case State::TrailBlank:
            if (c != ' ') {
                m_state = State::Dead;
            }
            break;
        case State::Dead:
            break;
    }
}

// After the digits of the number: its exponent or the blanks that end it.
void NumberScanner::AfterDigits(char c) {
    if (c == 'e' || c == 'E') {
        m_plain.push_back('e');
        m_state = State::ExponentMark;
    } else if (c == ' ') {
        m_state = State::TrailBlank;
    } else {
        m_state = State::Dead;
    }
}

bool NumberScanner::Complete() const {
    return m_state == State::Integer || m_state == State::Fraction || m_state == State::Exponent ||
           m_state == State::TrailBlank;
}

void NumberScanner::IntegerDigit(char c) {
    m_plain.push_back(c);
    if (m_integerDigits > 0 || c != '0') {
        m_integerDigits = std::min(m_integerDigits + 1, kCountCap);
    }
}

void NumberScanner::FractionDigit(char c) {
    m_plain.push_back(c);
    if (m_fractionNonZero || m_integerDigits > 0) {
        return;
    }
    if (c == '0') {
        m_fractionZeros = std::min(m_fractionZeros + 1, kCountCap);
    } else {
        m_fractionNonZero = true;
    }
}

void NumberScanner::ExponentDigit(char c) {
    m_plain.push_back(c);
    m_exponent = std::min(m_exponent * 10 + (c - '0'), kCountCap);
}

std::optional<std::int64_t> NumberScanner::Order() const {
    const std::int64_t e = m_exponentNegative ? -m_exponent : m_exponent;
    if (m_integerDigits > 0) {
        return m_integerDigits - 1 + e;
    }
    if (m_fractionNonZero) {
        return -(m_fractionZeros + 1) + e;
    }
    return std::nullopt;
}

std::optional<double> NumberScanner::Value() const {
    if (!Complete()) {
        return std::nullopt;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(m_plain.data(), m_plain.data() + m_plain.size(), value);
    if (ptr != m_plain.data() + m_plain.size()) {
        return std::nullopt;
    }
    if (ec == std::errc::result_out_of_range) {
        // Too small underflows to zero as the regional conversion does; too large fails.
        const auto order = Order();
        if (order && *order >= 0) {
            return std::nullopt;
        }
        value = 0;
    } else if (ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return m_negative ? -value : value;
}

bool NumberScanner::InRange() const {
    const auto order = Order();
    return !order || *order <= 307 || (*order < 309 && Value().has_value());
}

std::optional<double> ReadNumber(std::string_view text, char decimal, char group, Separators separators) {
    NumberScanner scanner(decimal, group);
    const bool bothDecimal = separators == Separators::BothDecimal;
    for (const char c : text) {
        scanner.Feed(bothDecimal && c == group ? decimal : c);
        if (scanner.Dead()) {
            return std::nullopt;
        }
    }
    return scanner.Value();
}

std::size_t LongestNumberPrefix(std::string_view text, char decimal, char group) {
    NumberScanner scanner(decimal, group);
    std::size_t best = 0;
    for (std::size_t i = 0; i < text.size() && !scanner.Dead(); ++i) {
        scanner.Feed(text[i]);
        if (scanner.Complete() && scanner.InRange()) {
            best = i + 1;
        }
    }
    return best;
}

}  // namespace tavrin
