// Preloaded into Wine (LD_PRELOAD): every write to a file named Zelkor.dat
// fails as on a full disk, the way Windows' WriteFile would. Wine does its
// file writes with these calls, so the Windows program sees ERROR_DISK_FULL
// from WriteFile itself.
#include <dlfcn.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool isCatalogue(int fd) {
  char link[64];
  char path[4096];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = readlink(link, path, sizeof path - 1);
  if (n <= 0) return false;
  path[n] = '\0';
  const char* name = std::strrchr(path, '/');
  return name && std::strcmp(name, "/Zelkor.dat") == 0;
}

template <typename F>
F next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* data, size_t size) {
  if (isCatalogue(fd)) return errno = ENOSPC, -1;
  return next<ssize_t (*)(int, const void*, size_t)>("write")(fd, data, size);
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
  if (isCatalogue(fd)) return errno = ENOSPC, -1;
  return next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite")(fd, data, size, offset);
}

ssize_t pwrite64(int fd, const void* data, size_t size, off_t offset) {
  if (isCatalogue(fd)) return errno = ENOSPC, -1;
  return next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite64")(fd, data, size, offset);
}

ssize_t writev(int fd, const struct iovec* parts, int count) {
  if (isCatalogue(fd)) return errno = ENOSPC, -1;
  return next<ssize_t (*)(int, const struct iovec*, int)>("writev")(fd, parts, count);
}

ssize_t pwritev(int fd, const struct iovec* parts, int count, off_t offset) {
  if (isCatalogue(fd)) return errno = ENOSPC, -1;
  return next<ssize_t (*)(int, const struct iovec*, int, off_t)>("pwritev")(fd, parts, count, offset);
}
}
