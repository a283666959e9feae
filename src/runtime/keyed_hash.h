#pragma once

#include <cstdint>
#include <string_view>

namespace dwelvane {

// How a text's bytes are folded before they are hashed, so that texts a comparison calls
// equal hash alike.
enum class HashFold {
  kNone,
  kAsciiCase,  // A-Z as a-z
  kFileName,   // A-Z as a-z and "\" as "/", as Windows compares file names
};

// SipHash-1-3 of the folded bytes under a key drawn at random once per process. Every
// table keyed by text from a project hashes with it: without the key, no one can choose
// texts that share a slot, which would make each look-up walk all of them.
std::uint64_t KeyedHash(std::string_view text, HashFold fold);

}  // namespace dwelvane
