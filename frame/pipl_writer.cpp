#include "frame/pipl_writer.h"

#include <algorithm>

namespace vlam {
namespace {

void PutU32(std::vector<A_u_char> &out, A_u_long value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<A_u_char>((value >> shift) & 0xFF));
  }
}

void PutU16(std::vector<A_u_char> &out, A_u_short value) {
  out.push_back(static_cast<A_u_char>(value & 0xFF));
  out.push_back(static_cast<A_u_char>((value >> 8) & 0xFF));
}

}  // namespace

void PiplWriter::Add(A_u_long vendor, A_u_long key, const std::vector<A_u_char> &data) {
  PutU32(properties_, vendor);
  PutU32(properties_, key);
  PutU32(properties_, 0);  // id
  PutU32(properties_, static_cast<A_u_long>(data.size()));
  properties_.insert(properties_.end(), data.begin(), data.end());
  while (properties_.size() % 4 != 0) {
    properties_.push_back(0);
  }
  ++count_;
}

void PiplWriter::AddU32(A_u_long vendor, A_u_long key, A_u_long value) {
  std::vector<A_u_char> data;
  PutU32(data, value);
  Add(vendor, key, data);
}

void PiplWriter::AddI32(A_u_long vendor, A_u_long key, A_long value) {
  AddU32(vendor, key, static_cast<A_u_long>(value));
}

void PiplWriter::AddI16(A_u_long vendor, A_u_long key, A_short value) {
  std::vector<A_u_char> data;
  PutU16(data, static_cast<A_u_short>(value));
  Add(vendor, key, data);
}

void PiplWriter::AddI16Pair(A_u_long vendor, A_u_long key, A_short first, A_short second) {
  std::vector<A_u_char> data;
  PutU16(data, static_cast<A_u_short>(first));
  PutU16(data, static_cast<A_u_short>(second));
  Add(vendor, key, data);
}

void PiplWriter::AddPascalString(A_u_long vendor, A_u_long key, std::string_view text) {
  const std::size_t length = std::min<std::size_t>(text.size(), 255);
  std::vector<A_u_char> data;
  data.push_back(static_cast<A_u_char>(length));
  data.insert(data.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
  Add(vendor, key, data);
}

void PiplWriter::AddCString(A_u_long vendor, A_u_long key, std::string_view text) {
  std::vector<A_u_char> data(text.begin(), text.end());
  data.push_back(0);
  Add(vendor, key, data);
}

std::vector<A_u_char> PiplWriter::Finish() const {
  std::vector<A_u_char> out;
  out.reserve(10 + properties_.size());
  PutU16(out, 1);  // reserved
  PutU32(out, 0);  // version
  PutU32(out, static_cast<A_u_long>(count_));
  out.insert(out.end(), properties_.begin(), properties_.end());
  return out;
}

}  // namespace vlam
