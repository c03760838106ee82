#pragma once
// Reading the numbers that stand in the form's fields.
//
// A field's text is read as a plain decimal number, whatever the process's
// locale says: "17.5", " 2.0 ", "+5", "-0.3", ".5", "5.", "1e3". Digits and
// signs typed in full width through a Chinese input method count as their
// ASCII twins ("１７．５" is 17.5), and the ideographic space U+3000 counts as
// a blank. Nothing else is a number: no "inf" or "nan", no hexadecimal, no
// decimal comma, no digit grouping, nothing trailing.

#include <optional>
#include <string_view>

namespace tavrelo {

// Why a text, or a computation built on texts, gives no usable value.
enum class FailureReason {
  Empty,             // the text is empty or holds only blanks
  NotANumber,        // the text is not a number in the form above
  OutOfRange,        // a number, but beyond the range of its type ("1e400")
  ZeroThicknessSum,  // the layer thicknesses add up to zero
  Overflow,          // an intermediate or final value is not finite
};

// The value of a text, or why it has none (Empty, NotANumber or OutOfRange).
struct NumberReading {
  double value = 0.0;
  std::optional<FailureReason> failure;

  [[nodiscard]] bool ok() const noexcept { return !failure.has_value(); }
};

// Reads `text` as the nearest double. A magnitude too small for a double
// reads as zero; one too large fails with OutOfRange.
[[nodiscard]] NumberReading ReadNumber(std::string_view text);

// Reads `text` straight into the nearest 32-bit float, returned widened to
// double without change: "2.3" gives 2.299999952316284. A value beyond the
// float range (about 3.4e38) fails with OutOfRange.
[[nodiscard]] NumberReading ReadNumberAsFloat(std::string_view text);

// The layer count a value stands for: 1 to 5 when the value equals one of
// them exactly ("2", "2.0" and "2.00" are all 2), otherwise none ("2.5", "6").
[[nodiscard]] std::optional<int> LayerCountFromValue(double value) noexcept;

}  // namespace tavrelo
