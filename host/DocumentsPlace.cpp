#include "host/DocumentsPlace.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

DocumentsPlace::~DocumentsPlace() {
    unlock();
    removeTemporary();
}

bool DocumentsPlace::lock(const std::string& directory, std::string& whyNot) {
    unlock();
    // Not inherited by the programs this one starts (a browser), which could outlive it.
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        whyNot = "cannot open the documents directory '" + directory + "' to lock it: " + std::strerror(errno);
        return false;
    }
    int failed;
    while ((failed = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (failed != 0) {
        const int error = errno;
        ::close(fd);
        whyNot = error == EWOULDBLOCK ? "the documents directory '" + directory +
                                            "' is in use by another lexivo-quiz; give another with --documents"
                                      : "cannot lock the documents directory '" + directory + "': " + std::strerror(error);
        return false;
    }
    m_locked = fd;
    return true;
}

void DocumentsPlace::unlock() {
    if (m_locked >= 0) ::close(m_locked);
    m_locked = -1;
}

std::string DocumentsPlace::makeTemporary() {
    unlock();
    removeTemporary();
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern = std::string(temporary && temporary[0] == '/' ? temporary : "/tmp") + "/lexivo-quiz-documents-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary documents directory: " + std::string(std::strerror(errno)));
    m_temporary = pattern;
    return m_temporary;
}

void DocumentsPlace::announceTemporary() const {
    if (!m_temporary.empty())
        std::printf("lexivo-quiz: the built-in session saves into a temporary documents directory, removed at exit: %s\n",
                    m_temporary.c_str());
}

void DocumentsPlace::removeTemporary() {
    if (m_temporary.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(m_temporary, ignored);
    m_temporary.clear();
}
