#include "common/SystemError.h"

#include <cerrno>
#include <cstring>

namespace SystemError {

QString Text(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return QStringLiteral("нет места на диске");
        case EDQUOT:
            return QStringLiteral("превышена дисковая квота");
        case EFBIG:
            return QStringLiteral("превышен допустимый размер файла");
        case EACCES:
        case EPERM:
            return QStringLiteral("нет доступа");
        case EROFS:
            return QStringLiteral("диск доступен только для чтения");
        case ENOTDIR:
            return QStringLiteral("часть пути не является папкой");
        case EISDIR:
            return QStringLiteral("это папка");
        case ENOENT:
            return QStringLiteral("нет такой папки");
        case ENAMETOOLONG:
            return QStringLiteral("слишком длинное имя");
        case ELOOP:
            return QStringLiteral("слишком много символических ссылок в пути");
        case EIO:
            return QStringLiteral("ошибка ввода-вывода на диске");
        case EMFILE:
        case ENFILE:
            return QStringLiteral("открыто слишком много файлов");
        case ENOMEM:
            return QStringLiteral("не хватает памяти");
        case ETXTBSY:
        case EBUSY:
            return QStringLiteral("файл занят");
        case EXDEV:
            return QStringLiteral("файл на другом диске");
        case EPIPE:
            return QStringLiteral("получатель данных закрыл канал");
        case ENXIO:
        case ENODEV:
            return QStringLiteral("нет такого устройства");
        default:
            break;
    }
    return QStringLiteral("системная ошибка %1 (%2)")
        .arg(errorNumber)
        .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
}

}  // namespace SystemError
