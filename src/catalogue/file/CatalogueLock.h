#pragma once

#include <QString>
#include <memory>

// The librarian's program holds this for its whole life so that a second
// editor cannot open the same catalogue. Readers are never blocked: the lock
// covers one byte far beyond any data.
class CatalogueLock {
 public:
  enum class Result { Acquired, HeldElsewhere, Failed };

  CatalogueLock();
  ~CatalogueLock();
  CatalogueLock(const CatalogueLock&) = delete;
  CatalogueLock& operator=(const CatalogueLock&) = delete;

  // Creates the file when missing (as opening it for editing would).
  Result acquire(const QString& path);
  void release();
  int lastErrno() const { return m_errno; }

  // What a second editor is told when the lock is held elsewhere.
  static QString heldElsewhereMessage(const QString& fileName);

 private:
  struct Handle;
  std::unique_ptr<Handle> m_handle;
  int m_errno = 0;
};
