#pragma once
// Which paging files belong to a live process. Each process that makes paging files keeps a
// list of their names, <base>/.cvx-paging-<pid>.list, and holds an advisory lock (flock) on it
// for as long as it lives; the lock goes with the process, also when it is killed. A list that
// nobody locks belongs to a process that is gone without removing its files: Sweep removes
// the paging files it names and the list. The host sweeps when its first Compare tool is made,
// and a process sweeps before it makes its own list, so a killed run costs disk space only
// until the next one starts.

#include <mutex>
#include <string>

class CvxComparePagingRegistry {
public:
    // Never destroyed: paging files held by static objects may go after every static.
    static CvxComparePagingRegistry& Get();

    // Records the name of a paging file about to be made in `base` (the host base directory);
    // the first call of a process makes its list, after a sweep of `base`.
    void Record(const std::string& base, const std::string& name);

    // Removes the paging files and lists of gone processes in `base`; answers the number of
    // paging files removed. Only names of paging files in `base` itself are removed.
    static int Sweep(const std::string& base);
    // Sweep, once per process and base directory.
    void SweepOnce(const std::string& base);

private:
    CvxComparePagingRegistry() = default;
    // At a normal exit: the process's paging files are gone, and so goes its list.
    void RemoveOwnList();

    std::mutex m_mutex;
    std::string m_base;  // of the list, once made
    std::string m_list;
    std::string m_swept; // the base directory swept last
    int m_fd = -1;
};
