#include <iconv.h>

#include <cerrno>
#include <system_error>

#include "runtime/code_page.h"
#include "runtime/utf8.h"

namespace dwelvane {
namespace {

constexpr std::size_t kCodePages = 4;
constexpr const char* kIconvNames[kCodePages] = {"UTF-8", "CP1250", "CP1251", "CP1252"};

enum class Direction { kFromUtf8, kToUtf8 };

// One converter per code page and direction, opened on first use and kept for the thread:
// opening one loads the system's tables, and a converter holds state no two threads may
// share. The code pages are stateless, so a converter needs no reset between texts.
class Converters {
 public:
  Converters() = default;
  Converters(const Converters&) = delete;
  Converters& operator=(const Converters&) = delete;
  ~Converters() {
    for (auto& pair : converters_) {
      for (iconv_t converter : pair) {
        if (converter != kNone) {
          iconv_close(converter);
        }
      }
    }
  }

  iconv_t Get(TableEncoding encoding, Direction direction) {
    const auto page = static_cast<std::size_t>(encoding);
    iconv_t& converter = converters_[page][static_cast<std::size_t>(direction)];
    if (converter == kNone) {
      converter = direction == Direction::kFromUtf8 ? iconv_open(kIconvNames[page], "UTF-8")
                                                    : iconv_open("UTF-8", kIconvNames[page]);
    }
    // glibc has them all; a system without them can't convert a table at all.
    if (converter == kNone) {
      throw std::system_error(errno, std::generic_category(), "iconv_open");
    }
    return converter;
  }

 private:
  static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
  iconv_t converters_[kCodePages][2] = {
      {kNone, kNone}, {kNone, kNone}, {kNone, kNone}, {kNone, kNone}};
};

iconv_t ConverterFor(TableEncoding encoding, Direction direction) {
  thread_local Converters converters;
  return converters.Get(encoding, direction);
}

// Runs `in` through `converter` into `out`; `on_refused` is asked at each sequence the
// converter refuses and returns how many input bytes it took care of, 0 to give up.
// Grows `out` as it goes; false when it gave up.
template <typename OnRefused>
bool Convert(iconv_t converter, std::string& out, std::string_view in,
             const OnRefused& on_refused) {
  char* from = const_cast<char*>(in.data());
  std::size_t left = in.size();
  while (left > 0) {
    // Room for the worst case of the rest: three UTF-8 bytes per code page byte.
    const std::size_t start = out.size();
    out.resize(start + left * 3 + 4);
    char* to = out.data() + start;
    std::size_t room = out.size() - start;
    const std::size_t result = iconv(converter, &from, &left, &to, &room);
    out.resize(out.size() - room);
    if (result != static_cast<std::size_t>(-1)) {
      break;
    }
    if (errno == E2BIG) {
      continue;
    }
    const std::size_t taken = errno == EILSEQ ? on_refused(std::string_view(from, left)) : 0;
    if (taken == 0) {
      return false;
    }
    from += taken;
    left -= taken;
  }
  return true;
}

}  // namespace

bool AppendFromUtf8(std::string& out, std::string_view utf8, TableEncoding encoding) {
  iconv_t converter = ConverterFor(encoding, Direction::kFromUtf8);
  const std::size_t start = out.size();
  // A C1 control whose byte has no character of its own goes back to that byte, so that
  // what AppendToUtf8 read comes back as it was.
  const auto unassigned_byte = [&](std::string_view rest) -> std::size_t {
    if (rest.size() < 2 || rest[0] != '\xC2' ||
        !LeavesUnassigned(encoding, static_cast<unsigned char>(rest[1]))) {
      return 0;
    }
    out.push_back(rest[1]);
    return 2;
  };
  if (!Convert(converter, out, utf8, unassigned_byte)) {
    out.resize(start);
    return false;
  }
  return true;
}

void AppendToUtf8(std::string& out, std::string_view bytes, TableEncoding encoding) {
  if (encoding == TableEncoding::kUtf8WithBom) {
    out.append(bytes);
    return;
  }
  // Every byte of a code page is one character: a refused one is unassigned.
  const auto control = [&](std::string_view rest) -> std::size_t {
    AppendUtf8(out, static_cast<unsigned char>(rest[0]));
    return 1;
  };
  static_cast<void>(Convert(ConverterFor(encoding, Direction::kToUtf8), out, bytes, control));
}

}  // namespace dwelvane
