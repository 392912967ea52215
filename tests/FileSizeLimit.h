#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <functional>

// A full disk, made real: a process whose files may not grow past a limit. Writing past it fails
// with EFBIG, as it would with ENOSPC; SIGXFSZ, which would kill the process, is ignored.

inline void LimitFileSizeHere(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
}

// The same limit on this process while the object lives: the soft limit alone is lowered, so it
// is lifted again as the object goes, as space is freed on a disk that was full.
class FileSizeLimitHere {
public:
    explicit FileSizeLimitHere(rlim_t bytes) : m_signal(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimitHere() { Lift(); }
    FileSizeLimitHere(const FileSizeLimitHere&) = delete;
    FileSizeLimitHere& operator=(const FileSizeLimitHere&) = delete;

    void Lift() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    rlimit m_old{};
    void (*m_signal)(int);
};

enum class ChildSave { Saved, Failed, Died };

// Runs the function in a forked child once prepare has run there, and tells what it returned. A
// child that hangs is killed after a minute, and counts as died.
inline ChildSave RunInChild(const std::function<void()>& prepare,
                            const std::function<bool()>& run) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        alarm(60);
        prepare();
        _exit(run() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return ChildSave::Died;
    }
    return WEXITSTATUS(status) == 0 ? ChildSave::Saved : ChildSave::Failed;
}

// Runs the save in a forked child under the limit and tells what it returned.
inline ChildSave SaveUnderFileSizeLimit(rlim_t bytes, const std::function<bool()>& save) {
    return RunInChild([bytes] { LimitFileSizeHere(bytes); }, save);
}

// Makes a QProcess start its program under the limit.
inline void LimitFileSize(QProcess& process, rlim_t bytes) {
    process.setChildProcessModifier([bytes] { LimitFileSizeHere(bytes); });
}

// Everything in the folder, hidden files too: a temporary file left behind shows up here.
inline QStringList FolderEntries(const QString& path) {
    return QDir(path).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden |
                                QDir::System);
}
