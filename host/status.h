//===- host/status.h - Success or a reason for failure ----------*- C++ -*-===//
//
// Host operations report failure only through their result.  A `Status`
// carries the reason as a short English text, so that callers can pass it on
// to the user with the path it concerns.
//
//===----------------------------------------------------------------------===//
#ifndef FILECRYPTER_HOST_STATUS_H
#define FILECRYPTER_HOST_STATUS_H

#include <string>
#include <utility>

namespace filecrypter {

class Status {
public:
  // Success.
  Status() = default;

  // A failure for `reason`, which must not be empty.
  static Status Failure(std::string reason) {
    Status status;
    status.reason_ = std::move(reason);
    return status;
  }

  bool ok() const noexcept { return reason_.empty(); }
  explicit operator bool() const noexcept { return ok(); }

  // Why the operation failed; empty on success.
  const std::string &reason() const noexcept { return reason_; }

private:
  std::string reason_;
};

} // namespace filecrypter

#endif // FILECRYPTER_HOST_STATUS_H
