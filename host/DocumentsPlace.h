// Where the program keeps its documents for the run. A directory the player's progress lives in is
// held under an advisory lock for the program's life, so that two programs never overwrite each
// other's progress (the kernel lets go of it however the program ends). The built-in session
// plays on a fresh temporary directory instead, removed at the end, and never touches that progress.
#pragma once

#include <string>

class DocumentsPlace {
public:
    DocumentsPlace() = default;
    DocumentsPlace(const DocumentsPlace&) = delete;
    DocumentsPlace& operator=(const DocumentsPlace&) = delete;
    // Lets go of the lock and removes the temporary directory.
    ~DocumentsPlace();

    // False with the reason, as one line, when another program holds the directory or it cannot be locked.
    bool lock(const std::string& directory, std::string& whyNot);
    // A fresh directory under $TMPDIR (else /tmp); any lock is let go. std::runtime_error when none
    // can be made.
    std::string makeTemporary();
    // One line on standard output naming the temporary directory, if one is in use.
    void announceTemporary() const;
    void removeTemporary();

private:
    void unlock();

    int m_locked = -1;
    std::string m_temporary;
};
