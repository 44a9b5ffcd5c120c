// The file layer: whole-file reads that tell "missing" from "unreadable", and writes
// that never leave a half-written file behind.
//
// Every write goes to a temporary file in the target's folder and then replaces the
// target in one step; the temporary file is removed on every failure path. Appends
// extend a file in place and cut it back to its old length when they fail.
//
// A process that is killed, or a machine that loses power, mid-write leaves its temporary
// file behind. Every writing operation first removes such leftovers from the folder it
// writes into (see removeStaleTemporaries).
#pragma once

#include "platform/bytes.h"
#include "platform/result.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>

namespace lumivel::files {

namespace fs = std::filesystem;

/// Reads a whole file. The error says whether the file is missing or cannot be read.
Result<Bytes> readFile(const fs::path& path);

/// Reads a whole file; a missing or unreadable file reads as empty.
Bytes readFileOrEmpty(const fs::path& path);

/// Reads `length` bytes from `offset` on; a file that ends earlier gives the bytes
/// that exist, down to none. Reads nothing else of the file.
Result<Bytes> readFileRange(const fs::path& path, std::uint64_t offset, std::uint64_t length);

/// Size of an existing regular file.
Result<std::uint64_t> fileSize(const fs::path& path);

/// Replaces (or creates) `path` with `bytes` through a temporary file in the same folder.
Result<void> writeFileAtomic(const fs::path& path, ByteView bytes);

/// The same with the content given in parts, written one after the other, so a caller that
/// adds a little to a large buffer need not copy the buffer first.
Result<void> writeFileAtomic(const fs::path& path, std::initializer_list<ByteView> parts);

/// Copies `from` over `to` through a temporary file beside `to`, so `to` is either
/// its old self or a complete copy.
Result<void> copyFileAtomic(const fs::path& from, const fs::path& to);

/// Appends `bytes` to the end of an existing file. On failure the file is cut back
/// to the length it had before.
Result<void> appendToFile(const fs::path& path, ByteView bytes);

/// Whether `file` begins with the whole content of `prefix` (a file equal to it does).
/// Both are read in chunks, side by side; neither is held whole in memory.
Result<bool> beginsWithContentOf(const fs::path& file, const fs::path& prefix);

/// Cuts an existing file back to its first `length` bytes and makes that durable.
Result<void> truncateFile(const fs::path& path, std::uint64_t length);

/// Creates one folder; its parent must exist. Fails when anything of that name exists.
Result<void> createFolder(const fs::path& path);

/// Removes a folder with all its content.
Result<void> removeTree(const fs::path& path);

/// Renames a file or folder; fails, changing nothing, when `to` exists.
Result<void> renamePath(const fs::path& from, const fs::path& to);

/// Moves the file `from` over `to` in one step, replacing `to` when it exists. Both must lie
/// on the same volume.
Result<void> moveFileOver(const fs::path& from, const fs::path& to);

/// A text no other process, and no other call of this one, gives: the process id, a
/// counter and random digits, as "4711-3-9f2c01ab". Makes names of temporary entries unique.
std::string uniqueNameTag();

/// Removes this program's stale temporary files from `folder`: the files named
/// "~NAME.TAG.lumivel-tmp" whose TAG names a process that no longer runs (or this one, which
/// writes one file at a time), whose TAG is a bare number (earlier versions), or that nobody
/// has written to for an hour. A temporary file of a process that runs is left alone. Other
/// entries are never touched; failures are ignored. Not counted by the test hook.
void removeStaleTemporaries(const fs::path& folder);

/// True when the file system finds an entry of that name, file or folder.
bool exists(const fs::path& path);

/// True for an existing folder.
bool isDirectory(const fs::path& path);

/// Test hook: makes the Nth file operation from now on fail (1 = the next one)
/// without changing anything, as a locked or read-only file would. 0 turns it off.
/// Counts every call above except `exists` and `isDirectory`.
void failOperationForTesting(int n);

/// Test hook: how many file operations have run since the last `failOperationForTesting`.
int operationCountForTesting();

/// Test hook: ends the process at once, as a kill would, when it reaches its Nth kill point
/// from now on (1 = the next one); 0 only counts them. The kill points are the start of every
/// operation the fault hook counts, the moment an atomic write's temporary file is complete
/// but not yet in place, and the middle of an append.
void killAtPointForTesting(int n);

/// Test hook: how many kill points have been passed since the last `killAtPointForTesting`.
int killPointCountForTesting();

} // namespace lumivel::files
