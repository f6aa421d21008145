// The window's own sections of the settings file ("[Window]", "[Preview]",
// "[Character view]"): "Name=value" lines after a "[Section]" line, beside the
// options record's section, which this code leaves as it finds it.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The name and value pairs of the section, in file order; none when the file or
// the section is missing. The file is read as the options record reads it: a
// regular file of at most 64 KiB, so that a FIFO or a link to a device neither
// blocks the start nor fills the memory.
std::vector<std::pair<std::string, std::string>> SHELL_ReadSection(const char* pSection);
// Replaces the section (appended when new) by the given "Name=value\n" lines and
// writes the file atomically; 0 when written.
int SHELL_WriteSection(const char* pSection, const std::string& lines);
