#pragma once

#include <QByteArray>
#include <QString>

// Writing whole files so that a save either reaches the disk completely or fails with a reason.
// On failure *error says why (in the system's words, as QFile gives them).
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

}  // namespace SafeSave
