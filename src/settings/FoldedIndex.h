#pragma once
// The key index behind the settings file's lookups.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// Lines by a part of their text, compared with the ASCII letters folded: an
// open-addressing table of line numbers. It stores no text of its own, so
// building it for a large file costs one pass and no allocation per line.
class FoldedIndex {
public:
    using Extract = std::string_view (*)(std::string_view line);

    // Empties the index and sizes it for up to `count` lines.
    void reset(std::size_t count, Extract extract);
    // Indexes `line` under `text` (= extract(lines[line])) and returns the
    // line that held that text before, or Empty.
    std::uint32_t replace(const std::vector<std::string>& lines, std::uint32_t line, std::string_view text);
    // The line indexed under `text` (folded), or Empty.
    std::uint32_t find(const std::vector<std::string>& lines, std::string_view text) const;

    static constexpr std::uint32_t Empty = 0xFFFFFFFFu;

private:
    struct Slot {
        std::uint32_t hash;
        std::uint32_t line;  // Empty when unused
    };
    std::vector<Slot> slots_;
    Extract extract_ = nullptr;
};

}  // namespace settings
