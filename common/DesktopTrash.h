#pragma once

#include <QString>

// The desktop's trash, where a removed file waits to be brought back from the file manager: the
// user's own trash in the data folder (~/.local/share/Trash, or under XDG_DATA_HOME), with the
// file in its files/ folder and, in info/, a NAME.trashinfo that tells where it was and when it
// went. Only a real trash is used: where the desktop has no data folder nothing is made in its
// place, and a file on another filesystem than the trash is not moved, so nothing is ever copied
// or left in the folder the file came from. The trash and its two folders must be real folders
// of the user's own, never links, as the desktop asks of a trash that others could reach: in a
// data folder shared with another user, that user could otherwise lead the trash into a folder
// of theirs. Every step ends in bounded time: a trash that cannot be written is given up at its
// first failure.
//
// A file takes the first free name of NAME, NAME.2, ... NAME.100 in the trash. When every one is
// taken, the oldest copy of the same file among them (its info file tells the same place) gives
// its name to the new one, so that the trash keeps the hundred newest copies of a file saved or
// deleted again and again; a copy of any other file is never touched.
namespace DesktopTrash {

enum class Result {
    Trashed,  // the file is in the trash, and its info file tells where it was
    NoTrash,  // no trash can take it: there is none, it is not the user's own, or the file is on
              // another filesystem; nothing done
    Failed,   // the trash refused it (not writable, full, every name held by other files), or
              // there is no such file; nothing left behind, the file where it was
};

// Moves the file (or the link itself, never what it points to) into the trash. A folder is not
// taken.
Result MoveToTrash(const QString& path);

// Puts what a regular file holds now in the trash and leaves the file where it is, as a second
// name of it (a hard link), before the file is replaced by a new save: the replacement is a new
// file, and the trash keeps the old one whole. Costs no copy and no disk space until then.
Result KeepInTrash(const QString& path);

// What a delete did with a file, as its user is told.
enum class Removal {
    MovedToTrash,    // in the trash, where the file manager brings it back
    RemovedForGood,  // no trash took it (MoveToTrash said why not), so it is removed for good
    Failed,          // neither: the file stays (no such file, a folder, no right to remove it)
};

// Moves the file (or the link itself) to the trash where one takes it, and removes it for good
// where none does.
Removal Remove(const QString& path);

// The trash folder that MoveToTrash uses, whether or not it exists.
QString Folder();

}  // namespace DesktopTrash
