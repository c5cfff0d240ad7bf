#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace core {

// A value or a sentence that says why there is none. Failures travel as
// text because every caller ends by showing them to the user.
template <class T>
class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result failure(QString why) { Result r; r.m_error = std::move(why); return r; }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    T &value() { return *m_value; }
    const T &operator*() const { return *m_value; }
    const T *operator->() const { return &*m_value; }
    const QString &error() const { return m_error; }

private:
    Result() = default;
    std::optional<T> m_value;
    QString m_error;
};

struct Done {};
using Status = Result<Done>;

inline Status success() { return Done{}; }
inline Status failed(QString why) { return Status::failure(std::move(why)); }

template <class T>
Result<T> fail(QString why) { return Result<T>::failure(std::move(why)); }

} // namespace core
