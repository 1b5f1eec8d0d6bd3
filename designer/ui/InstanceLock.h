#pragma once
#include <cstdint>
#include <string>

namespace kyrel {

// Tells running copies of Kyrel apart: copy n holds an exclusive lock on
// "kyrel-instance-<n>.lock" in the temporary directory for as long as it runs, and a new copy
// takes the smallest n it can lock. The lock goes with the process, so a crashed copy never
// keeps its number.
class InstanceLock {
  public:
    static constexpr std::int32_t kMaxInstances = 4096;

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the smallest free number in `directory` (which ends in '/'). When no lock file can be
    // made at all (a read-only or missing directory) the number is 0 and nothing is held.
    std::int32_t acquire(const std::string& directory);

    std::int32_t number() const { return number_; }
    bool held() const { return fd_ >= 0; }
    // Gives the number up for the next copy.
    void release();

  private:
    int fd_ = -1;
    std::int32_t number_ = 0;
};

}  // namespace kyrel
