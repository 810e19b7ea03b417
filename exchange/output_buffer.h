#pragma once

// The lines returned to the host, kept in memory until the dialog closes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace kx27 {

// Appends one line, cut before a character that would pass 255 bytes.
void AppendOutputLine(std::string_view line);

// A cleared scratch string that starts with keyword, reused for every line:
// format a line in it, then hand it to AppendOutputLine.
std::string& StartOutputLine(std::string_view keyword);

// Appends the head line of a text ("ch ... \"") and its text line; the file
// carries both as one line. Each is cut to 255 bytes on its own.
void AppendTextOutputLines(std::string_view head, std::string_view text);

std::int32_t OutputCount();

// The bytes held so far, CR LF included.
std::size_t OutputBytes();

// Makes room for this many more bytes at once, so that the appends that
// follow need not regrow the buffer.
void ReserveOutput(std::size_t bytes);

// Empties the buffer and releases its storage.
void ClearOutput();

// The file's bytes: every line with CR LF, a text's head line joined with its
// text line, or "hq" CR LF when the buffer is empty.
std::string RenderOutput();

// Replaces the file at path with RenderOutput() in one step, written straight
// from the buffer. On failure the
// old file stays as it was and the result is false.
bool WriteExchangeFile(const std::filesystem::path& path);

}  // namespace kx27
