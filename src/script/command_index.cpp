#include "script/command_index.h"

namespace tk {

namespace {

// Names of up to seven bytes pack into one number, letters upper-cased, with
// the length in the top byte so that no name packs to 0. Longer names are
// never commands.
constexpr std::size_t kMaxPackedBytes = 7;

std::uint64_t Pack(std::string_view name) {
  std::uint64_t key = static_cast<std::uint64_t>(name.size()) << 56;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    key |= static_cast<std::uint64_t>(static_cast<unsigned char>(c)) << (8 * i);
  }
  return key;
}

std::size_t Hash(std::uint64_t key) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 40);
}

}  // namespace

CommandIndex::CommandIndex(std::span<const CommandEntry> table) {
  for (const CommandEntry& entry : table) {
    if (entry.code == 0) {
      unknown_ = &entry;
      break;
    }
    if (entry.name.size() > kMaxPackedBytes) continue;
    const std::uint64_t key = Pack(entry.name);
    Slot* slot = const_cast<Slot*>(Probe(key));
    if (slot->key == 0) *slot = {key, &entry};  // a later row of the same name never wins
  }
}

const CommandIndex::Slot* CommandIndex::Probe(std::uint64_t key) const {
  for (std::size_t i = Hash(key);; ++i) {
    const Slot& slot = slots_[i % kSlots];
    if (slot.key == key || slot.key == 0) return &slot;
  }
}

const CommandEntry& CommandIndex::Find(std::string_view name) const {
  if (name.size() <= kMaxPackedBytes) {
    const Slot* slot = Probe(Pack(name));
    if (slot->entry != nullptr) return *slot->entry;
  }
  return *unknown_;
}

}  // namespace tk
