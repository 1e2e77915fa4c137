#pragma once
// Errors are values at device and file boundaries: a Result holds either a value or an Error
// carrying errno and a short description of what was being done.
#include <cerrno>
#include <string>
#include <utility>
#include <variant>

namespace orvane {

struct Error {
    int code = 0;         // errno value, or 0 when the failure is not a system error
    std::string context;  // what was attempted, e.g. "open /dev/hidraw3"

    [[nodiscard]] bool isPermission() const { return code == EACCES || code == EPERM; }
    [[nodiscard]] bool isGone() const { return code == ENODEV || code == ENOENT || code == ENXIO; }
    [[nodiscard]] std::string message() const;
};

inline Error makeError(int code, std::string context) { return Error{code, std::move(context)}; }

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::move(value)) {}
    Result(Error error) : v_(std::move(error)) {}

    [[nodiscard]] bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() & { return std::get<0>(v_); }
    const T& value() const& { return std::get<0>(v_); }
    T&& value() && { return std::get<0>(std::move(v_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const Error& error() const { return std::get<1>(v_); }

private:
    std::variant<T, Error> v_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : err_(std::move(error)), ok_(false) {}
    [[nodiscard]] bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const Error& error() const { return err_; }

private:
    Error err_;
    bool ok_ = true;
};

using Status = Result<void>;

}  // namespace orvane
