#include "common/SystemError.h"

#include <cerrno>
#include <cstring>

namespace SystemError {
namespace {

struct Reason {
    int number;
    const char* text;
};

// What a file, a folder, a pipe or the disk can answer a program that reads and writes files.
const Reason kReasons[] = {
    {ENOSPC, "нет места на диске"},
    {EDQUOT, "превышена дисковая квота"},
    {EFBIG, "превышен допустимый размер файла"},
    {EACCES, "нет доступа"},
    {EPERM, "нет доступа"},
    {EROFS, "диск доступен только для чтения"},
    {ENOTDIR, "часть пути не является папкой"},
    {EISDIR, "это папка"},
    {ENOENT, "нет такой папки"},
    {ENAMETOOLONG, "слишком длинное имя"},
    {ELOOP, "слишком много символических ссылок в пути"},
    {EIO, "ошибка ввода-вывода на диске"},
    {EMFILE, "открыто слишком много файлов"},
    {ENFILE, "открыто слишком много файлов"},
    {ENOMEM, "не хватает памяти"},
    {ETXTBSY, "файл занят"},
    {EBUSY, "файл занят"},
    {EXDEV, "файл на другом диске"},
    {EPIPE, "получатель данных закрыл канал"},
    {ENXIO, "нет такого устройства"},
    {ENODEV, "нет такого устройства"},
    {EBADF, "файл или канал закрыт"},
    {EEXIST, "файл уже есть"},
    {ENOTEMPTY, "папка не пуста"},
    {EMLINK, "слишком много ссылок на файл"},
    {EINVAL, "недопустимое действие с файлом"},
    {EINTR, "действие прервано"},
    {EAGAIN, "ресурс временно недоступен, повторите позже"},
    {ENOLCK, "файл нельзя заблокировать"},
    {EOPNOTSUPP, "файловая система этого не поддерживает"},
    {ENOSYS, "система этого не поддерживает"},
    {EOVERFLOW, "файл слишком велик"},
    {ESPIPE, "в канале нельзя перейти к другому месту"},
    {ENOTTY, "это не терминал"},
    {ESTALE, "файл на сетевом диске больше недоступен"},
    {ETIMEDOUT, "истекло время ожидания"},
    {ENOTCONN, "нет соединения"},
    {ECONNRESET, "соединение разорвано"},
    {ENETDOWN, "сеть недоступна"},
    {ENETUNREACH, "сеть недоступна"},
    {EHOSTUNREACH, "компьютер недоступен по сети"},
    {ENOMEDIUM, "в устройстве нет носителя"},
    {EUCLEAN, "файловая система повреждена"},
    {EREMOTEIO, "ошибка ввода-вывода на удаленном диске"},
    {EILSEQ, "недопустимая последовательность байтов"},
    {ENOBUFS, "не хватает памяти системы"},
    {EDEADLK, "взаимная блокировка файла"},
    {ECANCELED, "действие отменено"},
};

}  // namespace

QString Text(int errorNumber) {
    for (const Reason& reason : kReasons) {
        if (reason.number == errorNumber) {
            return QString::fromUtf8(reason.text);
        }
    }
    const char* name = strerrorname_np(errorNumber);  // "EPROTO"; null for no errno at all
    return name ? QStringLiteral("системная ошибка %1 (%2)")
                      .arg(errorNumber)
                      .arg(QLatin1String(name))
                : QStringLiteral("системная ошибка %1").arg(errorNumber);
}

}  // namespace SystemError
