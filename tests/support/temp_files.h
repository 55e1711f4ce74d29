// Files for tests in the system's temporary directory (/tmp on the host, the
// Windows temporary directory under Wine), removed again by their owner.
#pragma once
#include <string>
#include <vector>

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

#ifdef _WIN32
// Code page text in wide characters.
std::wstring WideFromAnsi(const std::string &text);

// A fresh folder for files named in wide characters, in the temporary
// directory or in the given one, removed with the files added to it.
class TempFolder {
public:
  explicit TempFolder(const std::wstring &parent = std::wstring());
  ~TempFolder();
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;

  // The file's path; it holds contents. The name may lie in a folder added
  // before.
  std::wstring Add(const std::wstring &name, const std::string &contents);
  std::wstring AddFolder(const std::wstring &name);
  // A shortcut (.lnk) to the target, which need not exist.
  std::wstring AddShortcut(const std::wstring &name, const std::wstring &target);
  std::wstring Path(const std::wstring &name = L"") const { return name.empty() ? path_ : path_ + L"\\" + name; }

private:
  std::wstring path_;
  std::vector<std::wstring> names_;
};

// A folder reached by a network path, \\csvview-test\share: under Wine the
// shares of a server are the folders of the prefix's dosdevices\unc\SERVER.
// Empty where it cannot be made (on Windows it would take a real share).
std::wstring TempNetworkShare();
#endif
