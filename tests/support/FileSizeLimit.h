#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

#include <csignal>

#include <sys/resource.h>

// While alive, no file of the process may grow beyond limit bytes: writes past it fail as on a
// full disk. Unlike permission bits, this also stops a test that runs as root. A limit of
// RLIM_INFINITY leaves the writes alone.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit l = old;
        l.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit old{};
    void (*oldHandler)(int) = nullptr;
};

#endif
