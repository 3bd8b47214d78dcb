#pragma once

#include <QString>
#include <optional>
#include <vector>

class FileIo;

// What an import under way is about to change, kept in a small file beside
// the catalogue ("Zelkor.dat.journal") from before its first write until
// after its final sync. A journal found while no import runs (the editor's
// lock is free) means the import was killed or the power failed: putting
// back the old length and the torn tail it records makes the catalogue as
// it was before the import.
namespace importjournal {

struct Entry {
  qint64 oldLength = 0;
  qint64 tailOffset = 0;   // where the bytes of a torn last record began
  std::vector<char> tail;  // those bytes, which the first new record covered
};

QString pathFor(const QString& catalogue);

// Creates the journal new (never through a link, never over a file) and
// syncs it and its name. False with the system's error number in `error`.
bool write(const QString& catalogue, const Entry& entry, int* error);
// Removes the journal and syncs the folder; false when it stays.
bool remove(const QString& catalogue);

// The journal beside the catalogue, when there is one that this program
// wrote: an ordinary file (not a link) owned by the catalogue's owner or by
// this user, whole, and recording a length no longer than the catalogue's.
std::optional<Entry> pending(const QString& catalogue);

// Puts back the torn tail and the old length that `entry` records and syncs:
// the one undo of an import, whether it failed, was stopped or was killed.
bool restore(FileIo& io, const Entry& entry);

enum class Outcome { Nothing, Undone, Failed };
// Puts the catalogue back as the journal records and removes the journal.
// Only while holding the editor's lock, so that no import is running. On
// Failed the system's error number goes to `error` and the journal stays.
Outcome finishInterrupted(const QString& catalogue, int* error);

// What the librarian is told after an Undone: "Μια εισαγωγή στον κατάλογο ..."
QString undoneNotice(const QString& fileName);

}  // namespace importjournal
