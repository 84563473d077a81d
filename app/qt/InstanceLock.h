#pragma once

#include <string>

// A per-user lock named after the application title, in the user's runtime
// folder, held from construction until destruction. The operating system
// releases it when the process ends in any way, so a crash leaves nothing
// stale, and programs the process starts do not inherit it.
class InstanceLock {
public:
    explicit InstanceLock(const std::string& applicationTitle);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another process held the lock, so this one could not take it.
    bool HeldByAnother() const { return heldByAnother_; }

private:
    int fd_ = -1;
    bool heldByAnother_ = false;
};

// The lock file's path for an application title.
std::string InstanceLockPath(const std::string& applicationTitle);
