#pragma once

#include <QString>

#include <optional>
#include <utility>

/// The outcome of an operation that can fail in an expected way: a value, or a message for the user.
template<typename T>
class [[nodiscard]] Result final
{
public:
    Result(T value)
        : m_value(std::move(value))
    { }

    static Result failure(QString message)
    {
        Result result;
        result.m_error = std::move(message);
        return result;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const QString& error() const { return m_error; }

private:
    Result() = default;

    std::optional<T> m_value;
    QString m_error;
};

/// The outcome of an operation that gives no value: success, or a message for the user.
class [[nodiscard]] Status final
{
public:
    static Status success() { return Status(); }
    static Status failure(QString message)
    {
        Status status;
        status.m_error = std::move(message);
        status.m_failed = true;
        return status;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

private:
    Status() = default;

    QString m_error;
    bool m_failed = false;
};
