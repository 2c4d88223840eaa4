#pragma once

#include <dirent.h>
#include <unistd.h>
#include <utility>

namespace mirte {

// Owns a file descriptor and closes it once.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.m_fd, -1));
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(); }

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    int Release() { return std::exchange(m_fd, -1); }
    void Reset(int fd = -1) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }

private:
    int m_fd = -1;
};

// Owns an open directory stream (which owns its descriptor).
class UniqueDir {
public:
    UniqueDir() = default;
    explicit UniqueDir(DIR* dir) : m_dir(dir) {}
    UniqueDir(UniqueDir&& other) noexcept : m_dir(std::exchange(other.m_dir, nullptr)) {}
    UniqueDir& operator=(UniqueDir&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.m_dir, nullptr));
        }
        return *this;
    }
    UniqueDir(const UniqueDir&) = delete;
    UniqueDir& operator=(const UniqueDir&) = delete;
    ~UniqueDir() { Reset(); }

    DIR* Get() const { return m_dir; }
    explicit operator bool() const { return m_dir != nullptr; }
    void Reset(DIR* dir = nullptr) {
        if (m_dir != nullptr) {
            ::closedir(m_dir);
        }
        m_dir = dir;
    }

private:
    DIR* m_dir = nullptr;
};

} // namespace mirte
