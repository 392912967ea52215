#pragma once

#include <QString>

// The system's reason for a failed file operation, in the user's words: the toolkit's own texts
// are in English and, for a write that stopped half way, say only "Unknown error".
namespace SystemError {

// The reason of an errno value, always in Russian: "нет места на диске" for ENOSPC, "нет доступа"
// for EACCES, ...; a value without a text of its own is "системная ошибка N (ENAME)", its number
// and the name a programmer looks up.
QString Text(int errorNumber);

}  // namespace SystemError
