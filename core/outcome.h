// A computation's outcome: either its result or why it could not be worked
// out (the field to put right and the reason), the one or the other.
#pragma once

#include <variant>

namespace tavrelo {

template <typename Field, typename Reason>
struct Failure {
  Field field;
  Reason reason = Reason::NotANumber;

  friend bool operator==(const Failure&, const Failure&) = default;
};

template <typename Result, typename Failure>
class Outcome {
 public:
  Outcome(const Result& result) : value_(result) {}     // NOLINT: implicit by design
  Outcome(const Failure& failure) : value_(failure) {}  // NOLINT: implicit by design

  [[nodiscard]] bool ok() const noexcept { return value_.index() == 0; }
  // Call only when ok().
  [[nodiscard]] const Result& result() const { return std::get<Result>(value_); }
  // Call only when !ok().
  [[nodiscard]] const Failure& failure() const { return std::get<Failure>(value_); }

 private:
  std::variant<Result, Failure> value_;
};

}  // namespace tavrelo
