// Result<T>: a value or an Error that carries the text shown to the user.
#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace lumivel {

/// What went wrong, in words the user reads (the program's own Chinese texts,
/// with the file and the numbers involved).
struct Error {
    enum class Kind { Failed, Missing };

    std::string message;
    Kind kind = Kind::Failed;
    /// How the message box that tells it looks: its caption, and whether it has the error
    /// icon. An empty message is a refusal the user is not told of.
    std::string caption = "错误";
    bool errorIcon = true;
    /// The operating system's cause (errno, or GetLastError on Windows); 0 when none is known.
    int systemError = 0;

    bool isMissing() const { return kind == Kind::Missing; }
};

/// Either a value or an Error. Must be looked at: the attribute makes a dropped result a warning.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    T& value() & { assert(ok()); return std::get<T>(m_state); }
    const T& value() const& { assert(ok()); return std::get<T>(m_state); }
    T&& value() && { assert(ok()); return std::get<T>(std::move(m_state)); }
    const Error& error() const { assert(!ok()); return std::get<Error>(m_state); }

private:
    std::variant<T, Error> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { assert(m_failed); return m_error; }

private:
    Error m_error;
    bool m_failed = false;
};

/// Returns the error of a failed Result from the enclosing function.
#define LUMIVEL_TRY(expr)                        \
    do {                                         \
        auto&& lumivelTryResult_ = (expr);       \
        if (!lumivelTryResult_.ok())             \
            return lumivelTryResult_.error();    \
    } while (0)

} // namespace lumivel
