#pragma once

#include <cstddef>
#include <string>

// Replaces a file's contents in one step, so that a failed or interrupted write never leaves it
// half written: the data goes to a new temporary file in the same directory, which is flushed
// to the disk and then renamed over the file (through a symbolic link, the file it names). The
// file keeps its permissions (and, where allowed, its owner); a new file gets the process's
// usual permissions. Returns false when any step fails; the temporary file is then removed and
// the file is left exactly as it was.
bool ReplaceFile(const std::string& fileName, const void* data, std::size_t size);

// The steps of such a replacement, for writers that stream their data. A new temporary file
// beside fileName (fileName followed by a random suffix) with the permissions of a new file;
// its name goes to temporary. Returns its descriptor, or -1 when it cannot be made.
int CreateTemporaryBeside(const std::string& fileName, std::string& temporary);

// Writes all of data to fd, resuming after interruptions and short writes.
bool WriteAll(int fd, const void* data, std::size_t size);
