#include "platform/posix/wine_names.h"

#include <cstdint>

namespace tarnwick {
namespace {

// The characters of bytes 0x80 to 0x9F; the rest of the code page is Latin-1, byte for code
// point. The undefined bytes stand for themselves.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CharacterOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

std::optional<unsigned char> ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (unsigned i = 0; i < 32; ++i) {
    if (kHighControls[i] == c) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

// The upper-case letter of a lower-case one: ASCII, the Latin-1 letters but the division sign,
// and the four pairs of the code page's own block (S, OE and Z with caron, Y with diaeresis).
unsigned char UpperLetter(unsigned char b) {
  if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) return b - 0x20;
  if (b == 0x9A || b == 0x9C || b == 0x9E) return b - 0x10;
  if (b == 0xFF) return 0x9F;
  return b;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string HostName(std::string_view program_name) {
  if (!HasHighBytes(program_name)) return std::string(program_name);
  std::string out;
  out.reserve(program_name.size() * 2);
  for (char c : program_name) AppendUtf8(out, CharacterOf(static_cast<unsigned char>(c)));
  return out;
}

bool SameProgramName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperLetter(static_cast<unsigned char>(a[i])) !=
        UpperLetter(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

std::optional<std::string> ProgramName(std::string_view host_name) {
  if (!HasHighBytes(host_name)) return std::string(host_name);
  std::string out;
  out.reserve(host_name.size());
  for (size_t i = 0; i < host_name.size();) {
    const auto lead = static_cast<unsigned char>(host_name[i]);
    // Every character of the code page takes at most three bytes in UTF-8.
    size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
    if (length == 0 || i + length > host_name.size()) return std::nullopt;
    char32_t c = length == 1 ? lead : lead & (length == 2 ? 0x1F : 0x0F);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(host_name[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    // An overlong spelling is no UTF-8.
    if ((length == 2 && c < 0x80) || (length == 3 && c < 0x800)) return std::nullopt;
    std::optional<unsigned char> byte = ByteOf(c);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
    i += length;
  }
  return out;
}

}  // namespace tarnwick
