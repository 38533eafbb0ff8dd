// Writing a file so that nothing can spoil it: under an exclusive lock on
// its folder (the lock stays with the folder, while the file itself is
// replaced by every write), through a temporary file of a fresh name
// created for this write alone (a link planted in its place is never
// followed), synced to the disk and renamed over the file, so a crash at
// any moment leaves the old contents or the new, whole.
#pragma once

#include <QByteArray>
#include <QString>

// Holds an exclusive lock on a folder for as long as it lives. Another
// writer's lock is waited for 200 ms at the most, so that a writer stopped
// or stuck while holding it never holds up the game: the lock is then not
// held.
class FolderLock {
public:
    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    friend bool replaceWhole(const FolderLock&, const QString&, const QByteArray&);
    int fd_ = -1;
};

// Replaces the file at path, in the locked folder, with bytes. Temporary
// files of a writer cut off mid-write are swept away first. False: the file
// is as it was.
bool replaceWhole(const FolderLock& lock, const QString& path, const QByteArray& bytes);
