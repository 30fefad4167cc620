#pragma once
// Files that are replaced whole or not at all. Every file the programs write (workbooks,
// PDF pages, tab-separated results) goes through AtomicFile: the bytes go to a temporary file
// in the target's folder; Commit() checks that every write and the close succeeded, forces the
// bytes to disk and only then renames the temporary file over the target. On any failure the
// target keeps what it held before and the temporary file is removed.
//
// Test seam: the environment variable MORVANE_TEST_WRITE_FAULT makes every AtomicFile of the
// process fail as a full disk would (the plug-in and its host each carry their own copy of
// this code, the environment reaches both):
//   write:N  the write that reaches byte N of a file fails; the bytes before N were written
//   close:N  every write succeeds; closing a file of N bytes or more fails
// Unset, or any other text, injects nothing.

#include <QIODevice>
#include <QString>

#include <memory>
#include <stdexcept>
#include <string_view>

namespace morvane::io {

// A file that could not be written. The message names the file and gives the system's reason:
// "cannot write /home/a/r.xlsx: No space left on device".
class FileError : public std::runtime_error {
  public:
    explicit FileError(const std::string& message) : std::runtime_error(message) {}
};

class AtomicFile {
  public:
    // Creates the temporary file beside `target`. Throws FileError (a folder that does not
    // exist or cannot be written, a target that is a folder).
    explicit AtomicFile(const QString& target);
    // Without a successful Commit(): closes and removes the temporary file; the target is
    // untouched.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes. Throws FileError; the file then can no longer be committed.
    void Write(std::string_view bytes);
    // The file as a device for writers that take one (QPdfWriter). A failed write returns -1
    // to the writer and is kept: Commit() throws it.
    QIODevice& Device();
    // Throws the first failed write, if any (FileError).
    void CheckWrites() const;
    // Flushes, forces the bytes to disk, closes (each checked) and renames the temporary file
    // over the target. Throws FileError (the first failure since the file was opened).
    void Commit();

    const QString& Target() const;
    // The temporary file's path while it exists.
    const QString& TemporaryPath() const;
    // Bytes written so far.
    qint64 Size() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Writes `bytes` as the whole new content of `target`, atomically. Throws FileError.
void WriteFileAtomically(const QString& target, std::string_view bytes);

// The system's reason for the error number, in plain words ("No space left on device").
std::string SystemReason(int errorNumber);

}  // namespace morvane::io
