#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace tavrin {

enum class ErrorCode {
    FileMissing,
    FileUnreadable,
    FileUnwritable,
    BadSource,
    NotEncodable,
    BadUsage,
    BadValue,
};

struct Error {
    ErrorCode code;
    std::string message;   // what the user is told
    std::string reason{};  // the system's own words for the cause, when there are any
};

// The value of a fallible operation, or why it failed. Reading the value of
// a failure is a programming error.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_data(std::move(value)) {}      // NOLINT(google-explicit-constructor)
    Result(Error error) : m_data(std::move(error)) {}  // NOLINT(google-explicit-constructor)

    [[nodiscard]] bool Ok() const { return std::holds_alternative<T>(m_data); }
    explicit operator bool() const { return Ok(); }

    [[nodiscard]] T& Value() {
        assert(Ok() && "the value of a failed result");
        return std::get<T>(m_data);
    }
    [[nodiscard]] const T& Value() const {
        assert(Ok() && "the value of a failed result");
        return std::get<T>(m_data);
    }
    [[nodiscard]] const Error& Failure() const {
        assert(!Ok() && "the failure of a successful result");
        return std::get<Error>(m_data);
    }

private:
    std::variant<T, Error> m_data;
};

// An operation with no value: done, or why it failed.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : m_data(std::move(error)) {}  // NOLINT(google-explicit-constructor)

    [[nodiscard]] bool Ok() const { return std::holds_alternative<std::monostate>(m_data); }
    explicit operator bool() const { return Ok(); }

    [[nodiscard]] const Error& Failure() const {
        assert(!Ok() && "the failure of a successful result");
        return std::get<Error>(m_data);
    }

private:
    std::variant<std::monostate, Error> m_data;
};

}  // namespace tavrin
