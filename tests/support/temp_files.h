// Files for tests in the system's temporary directory (/tmp on the host, the
// Windows temporary directory under Wine), removed again by their owner.
#pragma once
#include <string>

class TempFile {
public:
  // A fresh path whose name ends in suffix; the file holds contents.
  TempFile(const char *suffix, const std::string &contents);
  // A fresh path in the temporary directory with no file behind it yet.
  explicit TempFile(const char *suffix);
  ~TempFile();
  TempFile(const TempFile &) = delete;
  TempFile &operator=(const TempFile &) = delete;

  const char *path() const { return path_.c_str(); }
  void Write(const std::string &contents) const;
  std::string Read() const;
  bool Exists() const;
  // Gives the file the read-only attribute (on the host: no write permission).
  void MakeReadOnly() const;

private:
  std::string path_;
};

// A path in the temporary directory below a directory that does not exist.
std::string TempMissingDirectoryPath();
