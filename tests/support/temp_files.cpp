#include "tests/support/temp_files.h"

#include <cstdio>
#include <windows.h>

#ifdef _WIN32
#include <shlobj.h>
#else
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::string TempDirectory() {
#ifdef _WIN32
  char directory[MAX_PATH + 1];
  DWORD length = GetTempPathA(sizeof directory, directory);
  return length > 0 && length < sizeof directory ? std::string(directory, length) : std::string(".\\");
#else
  const char *directory = std::getenv("TMPDIR");
  return std::string(directory && *directory ? directory : "/tmp") + "/";
#endif
}

unsigned long ProcessNumber() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(getpid());
#endif
}

std::string TempPathUnique(const char *suffix) {
  static unsigned long counter = 0;
  return TempDirectory() + "csvview-test-" + std::to_string(ProcessNumber()) + "-" + std::to_string(++counter) + suffix;
}

void MakeWritable(const char *path) {
#ifdef _WIN32
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
#else
  chmod(path, 0644);
#endif
}

} // namespace

TempFile::TempFile(const char *suffix) : path_(TempPathUnique(suffix)) {}

TempFile::TempFile(const char *suffix, const std::string &contents) : path_(TempPathUnique(suffix)) {
  Write(contents);
}

TempFile::~TempFile() {
  MakeWritable(path_.c_str());
  std::remove(path_.c_str());
}

void TempFile::Write(const std::string &contents) const {
  std::FILE *file = std::fopen(path_.c_str(), "wb");
  if (file) {
    std::fwrite(contents.data(), 1, contents.size(), file);
    std::fclose(file);
  }
}

std::string TempFile::Read() const {
  std::string contents;
  std::FILE *file = std::fopen(path_.c_str(), "rb");
  if (file) {
    char chunk[4096];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
      contents.append(chunk, count);
    }
    std::fclose(file);
  }
  return contents;
}

bool TempFile::Exists() const {
#ifdef _WIN32
  return GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
  struct stat status;
  return stat(path_.c_str(), &status) == 0;
#endif
}

void TempFile::MakeReadOnly() const {
#ifdef _WIN32
  SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
#else
  chmod(path_.c_str(), 0444);
#endif
}

std::string TempMissingDirectoryPath() {
  return TempPathUnique("-missing") + (TempDirectory().back() == '\\' ? "\\file.csv" : "/file.csv");
}

#ifdef _WIN32
std::wstring WideFromAnsi(const std::string &text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1);
  return wide;
}

TempFolder::TempFolder(const std::wstring &parent) {
  std::wstring unique = WideFromAnsi(TempPathUnique(""));
  path_ = parent.empty() ? unique : parent + unique.substr(unique.find_last_of(L'\\'));
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  for (auto name = names_.rbegin(); name != names_.rend(); ++name) {
    if (!DeleteFileW(Path(*name).c_str())) {
      RemoveDirectoryW(Path(*name).c_str());
    }
  }
  RemoveDirectoryW(path_.c_str());
}

std::wstring TempFolder::AddFolder(const std::wstring &name) {
  names_.push_back(name);
  CreateDirectoryW(Path(name).c_str(), nullptr);
  return Path(name);
}

std::wstring TempFolder::AddShortcut(const std::wstring &name, const std::wstring &target) {
  names_.push_back(name);
  CoInitialize(nullptr);
  IShellLinkW *link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void **>(&link)))) {
    IPersistFile *file = nullptr;
    link->SetPath(target.c_str());
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
      file->Save(Path(name).c_str(), TRUE);
      file->Release();
    }
    link->Release();
  }
  return Path(name);
}

std::wstring TempFolder::Add(const std::wstring &name, const std::string &contents) {
  names_.push_back(name);
  HANDLE file = CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  CloseHandle(file);
  return Path(name);
}

std::wstring TempNetworkShare() {
  const std::wstring share = L"\\\\csvview-test\\share";
  wchar_t prefix[MAX_PATH] = L"";
  DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || prefix[0] != L'/') {
    return std::wstring();
  }
  // Drive Z: is the Unix root.
  std::wstring folder = std::wstring(L"Z:") + prefix;
  for (wchar_t &c : folder) {
    c = c == L'/' ? L'\\' : c;
  }
  for (const wchar_t *step : {L"\\dosdevices\\unc", L"\\csvview-test", L"\\share"}) {
    folder += step;
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  DWORD attributes = GetFileAttributesW(share.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? share : std::wstring();
}
#endif
