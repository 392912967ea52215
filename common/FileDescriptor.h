#pragma once

#include <unistd.h>

#include <utility>

// A file descriptor of the system's, closed when the object goes: the files and folders that a
// save or the trash holds open from the check of a name to its use.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // Closes what it holds, and holds the descriptor given.
    void Reset(int fd = -1) {
        if (m_fd >= 0) {
            close(m_fd);
        }
        m_fd = fd;
    }
    // Gives the descriptor to the caller, who closes it.
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};
