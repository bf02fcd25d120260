/* Preloaded into a program under test: makes one call of the file-writing
 * steps fail, so that a test can check what the program leaves on disk.
 *
 *   TIDEWELL_FAIL_DIR  only calls on files in this folder count (absolute path)
 *   TIDEWELL_FAIL_AT   the number of the counted call that fails (1, 2, ...);
 *                      0 or unset: nothing fails, the calls are only counted
 *
 *   TIDEWELL_FAIL_ON_START  when set, calls count only after the program
 *                      called tidewellFailingCallsStart() (found with dlsym),
 *                      so that a window can be set up before the faults
 *   TIDEWELL_REFUSE_NEW  when set, the folder itself refuses new files (as a
 *                      read-only program folder does): creating a file that
 *                      does not exist directly in it fails with EACCES,
 *                      uncounted; files in its subfolders are not refused
 *
 * Counted: open/openat (any variant) and rename/renameat/renameat2/linkat of
 * a path in the folder; write, fsync and fdatasync on a descriptor opened
 * there. When a call is made to fail, one line "fault: <call> #<n>" goes to
 * standard error; at exit "calls: <count>" tells how many calls were counted.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

enum { MaxFd = 4096 };

static const char *failDir;
static size_t failDirLength;
static long failAt;
static int refuseNew;
static int started = 1;

void tidewellFailingCallsStart(void) { started = 1; }
static long counted;
static unsigned char watched[MaxFd];

static void say(const char *text)
{
    ssize_t (*realWrite)(int, const void *, size_t) = dlsym(RTLD_NEXT, "write");
    realWrite(2, text, strlen(text));
}

static void report(void)
{
    char line[64];
    snprintf(line, sizeof line, "calls: %ld\n", counted);
    say(line);
}

__attribute__((constructor)) static void setUp(void)
{
    failDir = getenv("TIDEWELL_FAIL_DIR");
    failDirLength = failDir ? strlen(failDir) : 0;
    const char *at = getenv("TIDEWELL_FAIL_AT");
    failAt = at ? atol(at) : 0;
    refuseNew = getenv("TIDEWELL_REFUSE_NEW") != NULL;
    started = getenv("TIDEWELL_FAIL_ON_START") == NULL;
    if (failDirLength > 0)
        atexit(report);
}

static int inFolder(const char *path)
{
    return started && failDirLength > 0 && path && strncmp(path, failDir, failDirLength) == 0
        && (path[failDirLength] == '/' || path[failDirLength] == '\0');
}

/* A new file directly in the folder, or an unnamed one (O_TMPFILE) made in it. */
static int refused(const char *path, int flags)
{
    if (!refuseNew || !inFolder(path))
        return 0;
    if ((flags & O_TMPFILE) == O_TMPFILE)
        return path[failDirLength] == '\0' || strcmp(path + failDirLength, "/") == 0;
    if (!(flags & O_CREAT) || path[failDirLength] != '/' || strchr(path + failDirLength + 1, '/'))
        return 0;
    return access(path, F_OK) != 0;
}

static int isWatched(int fd)
{
    return fd >= 0 && fd < MaxFd && watched[fd];
}

/* Counts one call; true when this is the one that fails. */
static int shouldFail(const char *call)
{
    ++counted;
    if (counted != failAt)
        return 0;
    char line[96];
    snprintf(line, sizeof line, "fault: %s #%ld\n", call, counted);
    say(line);
    return 1;
}

static void *next(const char *name)
{
    return dlsym(RTLD_NEXT, name);
}

static int opened(int fd, const char *path)
{
    if (fd >= 0 && fd < MaxFd)
        watched[fd] = (unsigned char)inFolder(path);
    return fd;
}

static mode_t modeOf(int flags, va_list args)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? va_arg(args, mode_t) : 0;
}

// An open of `path` fails when its folder refuses new files, or when it is
// the call whose turn it is to fail.
static int openFails(const char *name, const char *path, int flags)
{
    return refused(path, flags) || (inFolder(path) && shouldFail(name));
}

#define OPEN_WRAPPER(name)                                                   \
    int name(const char *path, int flags, ...)                               \
    {                                                                        \
        va_list args;                                                        \
        va_start(args, flags);                                               \
        const mode_t mode = modeOf(flags, args);                             \
        va_end(args);                                                        \
        if (openFails(#name, path, flags)) {                                 \
            errno = EACCES;                                                  \
            return -1;                                                       \
        }                                                                    \
        int (*real)(const char *, int, ...) = next(#name);                   \
        return opened(real(path, flags, mode), path);                        \
    }

#define OPENAT_WRAPPER(name)                                                 \
    int name(int dirfd, const char *path, int flags, ...)                    \
    {                                                                        \
        va_list args;                                                        \
        va_start(args, flags);                                               \
        const mode_t mode = modeOf(flags, args);                             \
        va_end(args);                                                        \
        if (openFails(#name, path, flags)) {                                 \
            errno = EACCES;                                                  \
            return -1;                                                       \
        }                                                                    \
        int (*real)(int, const char *, int, ...) = next(#name);              \
        return opened(real(dirfd, path, flags, mode), path);                 \
    }

OPEN_WRAPPER(open)
OPEN_WRAPPER(open64)
OPENAT_WRAPPER(openat)
OPENAT_WRAPPER(openat64)

int __open_2(const char *path, int flags) { return open(path, flags); }
int __open64_2(const char *path, int flags) { return open64(path, flags); }
int __openat_2(int dirfd, const char *path, int flags) { return openat(dirfd, path, flags); }
int __openat64_2(int dirfd, const char *path, int flags) { return openat64(dirfd, path, flags); }

int close(int fd)
{
    if (fd >= 0 && fd < MaxFd)
        watched[fd] = 0;
    int (*real)(int) = next("close");
    return real(fd);
}

ssize_t write(int fd, const void *buffer, size_t size)
{
    if (isWatched(fd) && shouldFail("write")) {
        errno = ENOSPC;
        return -1;
    }
    ssize_t (*real)(int, const void *, size_t) = next("write");
    return real(fd, buffer, size);
}

int fsync(int fd)
{
    if (isWatched(fd) && shouldFail("fsync")) {
        errno = EIO;
        return -1;
    }
    int (*real)(int) = next("fsync");
    return real(fd);
}

int fdatasync(int fd)
{
    if (isWatched(fd) && shouldFail("fdatasync")) {
        errno = EIO;
        return -1;
    }
    int (*real)(int) = next("fdatasync");
    return real(fd);
}

int rename(const char *from, const char *to)
{
    if (inFolder(to) && shouldFail("rename")) {
        errno = EIO;
        return -1;
    }
    int (*real)(const char *, const char *) = next("rename");
    return real(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    if (inFolder(to) && shouldFail("renameat")) {
        errno = EIO;
        return -1;
    }
    int (*real)(int, const char *, int, const char *) = next("renameat");
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags)
{
    if (inFolder(to) && shouldFail("renameat2")) {
        errno = EIO;
        return -1;
    }
    int (*real)(int, const char *, int, const char *, unsigned) = next("renameat2");
    return real(fromDir, from, toDir, to, flags);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    if (inFolder(to) && shouldFail("linkat")) {
        errno = EIO;
        return -1;
    }
    int (*real)(int, const char *, int, const char *, int) = next("linkat");
    return real(fromDir, from, toDir, to, flags);
}
