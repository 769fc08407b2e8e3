#include "settings/FoldedIndex.h"

#include "core/Text.h"

namespace settings {

namespace {
std::uint32_t foldedHash(std::string_view text)
{
    std::uint32_t h = 2166136261u;  // FNV-1a
    for (char c : text) {
        h ^= static_cast<unsigned char>(text::upperAscii(c));
        h *= 16777619u;
    }
    return h;
}

bool equalsFolded(std::string_view a, std::string_view b) { return a.size() == b.size() && text::startsWithFolded(a, b); }
}  // namespace

void FoldedIndex::reset(std::size_t count, Extract extract)
{
    extract_ = extract;
    // At most two thirds full keeps probes short; small slots keep a large
    // file's table within the caches.
    std::size_t size = 16;
    while (size < count + count / 2)
        size *= 2;
    slots_.assign(size, Slot{0, Empty});
}

std::uint32_t FoldedIndex::replace(const std::vector<std::string>& lines, std::uint32_t line, std::string_view text)
{
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t hash = foldedHash(text);
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        Slot& slot = slots_[at];
        if (slot.line == Empty) {
            slot = Slot{hash, line};
            return Empty;
        }
        if (slot.hash == hash && equalsFolded(extract_(lines[slot.line]), text)) {
            const std::uint32_t previous = slot.line;
            slot.line = line;
            return previous;
        }
    }
}

std::uint32_t FoldedIndex::find(const std::vector<std::string>& lines, std::string_view text) const
{
    if (slots_.empty())
        return Empty;
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t hash = foldedHash(text);
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.line == Empty)
            return Empty;
        if (slot.hash == hash && equalsFolded(extract_(lines[slot.line]), text))
            return slot.line;
    }
}

}  // namespace settings
