#include "field_reader.h"

#include <cmath>
#include <string_view>

#include "core/number_text.h"

namespace tavrelo::fields {

double Reader::Read(FrictionField field) {
  if (failed()) return 0.0;
  const std::string_view text = FieldText(input_, field);
  const bool singlePrecision = field.kind == FieldKind::Thickness && field.layer == 2;
  const NumberReading reading = singlePrecision ? ReadNumberAsFloat(text) : ReadNumber(text);
  if (!reading.ok()) failure_ = FrictionFailure{field, *reading.failure};
  return reading.value;
}

double Reader::Finite(double value, FrictionField field) {
  if (!failed() && !std::isfinite(value)) failure_ = FrictionFailure{field, FailureReason::Overflow};
  return value;
}

void Reader::Fail(FrictionField field, FailureReason reason) {
  if (!failed()) failure_ = FrictionFailure{field, reason};
}

}  // namespace tavrelo::fields
