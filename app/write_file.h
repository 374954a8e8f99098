#pragma once
// Writing a byte block to a file without ever destroying what was there: the bytes go to a
// new file in the target's folder, which then replaces the target in one rename. A symbolic
// link is followed, so the file it points to is replaced and the link stays; an existing
// target's permission bits (and, where allowed, owner) carry over to the new file.
#include <cstdint>
#include <span>
#include <string_view>

namespace vantrel::app {

// True when the file now holds exactly `bytes`. False for an empty name, a folder, a place
// that cannot be written; then the target (if any) is untouched and no temporary file stays.
bool WriteFile(std::string_view fileName, std::span<const std::uint8_t> bytes);

}  // namespace vantrel::app
