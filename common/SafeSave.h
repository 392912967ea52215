#pragma once

#include <QByteArray>
#include <QString>

// Writing whole files so that a save either reaches the disk completely or fails with a reason.
// On failure *error says why in the user's words, the system's reason in Russian ("нет места на
// диске").
namespace SafeSave {

// Replaces the file at path with the bytes in one step: they go to a temporary file beside it,
// every byte is written out and checked, and only then does it take the old file's place. On
// failure the old file (or its absence) stays as it was and no temporary file is left behind.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error);

// Writes the bytes straight into what stands at path without replacing it: for a pipe or a
// device, which a temporary file and a rename would turn into a regular file.
bool WriteInPlace(const QString& path, const QByteArray& bytes, QString* error);

// Writes the bytes to the process's standard output.
bool WriteToStandardOutput(const QByteArray& bytes, QString* error);

// Where a command line's output goes: "-" is standard output, a pipe or a device is written into
// as it stands, and anything else is replaced in one step.
bool WriteOutput(const QString& path, const QByteArray& bytes, QString* error);

// Why no file may be written at path: it is a symbolic link that another user made in a folder
// where everyone may create files but only the owner may remove them (such as /tmp), the trap
// by which that user would have this program replace a file of ours. The kernel refuses to
// follow such a link for an open; a save that renames a new file over its target never opens
// it, so it is refused here. Empty when the path may be written. Every write above asks it.
QString RefusedPlantedLink(const QString& path);

}  // namespace SafeSave
