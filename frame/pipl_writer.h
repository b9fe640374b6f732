// Writes a plug-in property list (PiPL) in the little-endian layout the
// Windows resource compiler produces.
#pragma once
#include <string_view>
#include <vector>

#include "A.h"

namespace vlam {

class PiplWriter {
 public:
  // Adds one property; `data` is padded with zeros to a multiple of 4.
  void Add(A_u_long vendor, A_u_long key, const std::vector<A_u_char> &data);
  void AddU32(A_u_long vendor, A_u_long key, A_u_long value);
  void AddI32(A_u_long vendor, A_u_long key, A_long value);
  void AddI16(A_u_long vendor, A_u_long key, A_short value);
  void AddI16Pair(A_u_long vendor, A_u_long key, A_short first, A_short second);
  // Length byte followed by the bytes (at most 255).
  void AddPascalString(A_u_long vendor, A_u_long key, std::string_view text);
  // The bytes followed by one zero byte.
  void AddCString(A_u_long vendor, A_u_long key, std::string_view text);

  // Header (reserved 1, version 0, property count) and the properties.
  std::vector<A_u_char> Finish() const;

 private:
  std::vector<A_u_char> properties_;
  A_long count_ = 0;
};

}  // namespace vlam
