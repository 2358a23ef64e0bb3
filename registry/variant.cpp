#include "registry/variant.h"

Variant::Kind Variant::kind() const {
  // The alternatives of value_ in declaration order, as automation type codes.
  static constexpr Kind kKinds[] = {kEmpty, kInteger, kLong, kString, kByteArray};
  return kKinds[value_.index()];
}
