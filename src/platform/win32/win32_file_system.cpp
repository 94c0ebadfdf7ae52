#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace tarnwick {
namespace {

class Win32File : public File {
 public:
  Win32File(UniqueHandle handle, std::shared_ptr<uint32_t> last_error)
      : handle_(std::move(handle)), last_error_(std::move(last_error)) {}

  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    got = 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (got < size) {
      DWORD n = 0;
      if (!ReadFile(handle_.Get(), bytes + got, size - got, &n, nullptr)) return Fail();
      if (n == 0) break;  // end of file: a short count, not an error
      got += n;
    }
    return true;
  }

  bool Write(const void* buffer, uint32_t size) override {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < size) {
      DWORD n = 0;
      if (!WriteFile(handle_.Get(), bytes + done, size - done, &n, nullptr)) return Fail();
      if (n == 0) {
        *last_error_ = win32_error::kDiskFull;
        return false;
      }
      done += n;
    }
    return true;
  }

  bool Seek(uint32_t position) override {
    LONG high = 0;
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(handle_.Get(), static_cast<LONG>(position), &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return Fail();
    return true;
  }

  uint32_t Position() const override {
    LONG high = 0;
    DWORD low = SetFilePointer(handle_.Get(), 0, &high, FILE_CURRENT);
    return low == INVALID_SET_FILE_POINTER ? 0 : low;
  }

  int64_t Size() const override {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(handle_.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
      *last_error_ = GetLastError();
      return -1;
    }
    return (static_cast<int64_t>(high) << 32) | low;
  }

  bool Flush() override { return FlushFileBuffers(handle_.Get()) ? true : Fail(); }

 private:
  bool Fail() {
    *last_error_ = GetLastError();
    return false;
  }

  UniqueHandle handle_;
  std::shared_ptr<uint32_t> last_error_;
};

// The Win32 calls need NUL-terminated strings.
std::string Z(std::string_view s) {
  return std::string(s);
}

// Windows refuses to write a read-only file, but Wine running as root lets the host's open()
// decide, which never refuses root: ask the attribute first so that both behave alike.
bool IsReadOnlyFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace

bool Win32FileSystem::Fail() {
  *last_error_ = GetLastError();
  return false;
}

std::unique_ptr<File> Win32FileSystem::Open(std::string_view path, OpenMode mode) {
  DWORD access = 0, disposition = 0;
  switch (mode) {
    case OpenMode::kRead:
      access = GENERIC_READ;
      disposition = OPEN_EXISTING;
      break;
    case OpenMode::kReadWrite:
      access = GENERIC_READ | GENERIC_WRITE;
      disposition = OPEN_EXISTING;
      break;
    case OpenMode::kCreateReadWrite:
      access = GENERIC_READ | GENERIC_WRITE;
      disposition = CREATE_ALWAYS;
      break;
    case OpenMode::kCreateWrite:
      access = GENERIC_WRITE;
      disposition = CREATE_ALWAYS;
      break;
  }
  std::string name = Z(path);
  if (mode != OpenMode::kRead && IsReadOnlyFile(name)) {
    *last_error_ = win32_error::kAccessDenied;
    return nullptr;
  }
  UniqueHandle handle(CreateFileA(name.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) {
    Fail();
    return nullptr;
  }
  return std::make_unique<Win32File>(std::move(handle), last_error_);
}

std::vector<std::string> Win32FileSystem::FindFiles(std::string_view pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  UniqueFindHandle find(FindFirstFileA(Z(pattern).c_str(), &data));
  if (!find) {
    Fail();
    return names;
  }
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(data.cFileName);
  } while (FindNextFileA(find.Get(), &data));
  if (names.empty()) *last_error_ = win32_error::kFileNotFound;
  return names;
}

bool Win32FileSystem::Exists(std::string_view path) {
  return GetFileAttributesA(Z(path).c_str()) != INVALID_FILE_ATTRIBUTES ? true : Fail();
}

bool Win32FileSystem::IsWritable(std::string_view path) {
  DWORD attributes = GetFileAttributesA(Z(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Fail();
  return (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool Win32FileSystem::SetNormalAttributes(std::string_view path) {
  return SetFileAttributesA(Z(path).c_str(), FILE_ATTRIBUTE_NORMAL) ? true : Fail();
}

bool Win32FileSystem::SetReadOnly(std::string_view path) {
  return SetFileAttributesA(Z(path).c_str(), FILE_ATTRIBUTE_READONLY) ? true : Fail();
}

bool Win32FileSystem::Delete(std::string_view path) {
  return DeleteFileA(Z(path).c_str()) ? true : Fail();
}

bool Win32FileSystem::Rename(std::string_view from, std::string_view to) {
  return MoveFileA(Z(from).c_str(), Z(to).c_str()) ? true : Fail();
}

bool Win32FileSystem::Replace(std::string_view from, std::string_view to) {
  std::string target = Z(to);
  if (IsReadOnlyFile(target)) {
    *last_error_ = win32_error::kAccessDenied;
    return false;
  }
  return MoveFileExA(Z(from).c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? true
             : Fail();
}

bool Win32FileSystem::MakeFolder(std::string_view path) {
  return CreateDirectoryA(Z(path).c_str(), nullptr) ? true : Fail();
}

std::string Win32FileSystem::ProgramPath(std::string_view typed) {
  if (typed.empty()) return {};
  std::string input = Z(typed);
  std::string full(MAX_PATH, '\0');
  DWORD length =
      GetFullPathNameA(input.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameA(input.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) {
    Fail();
    return {};
  }
  full.resize(length);
  return full;
}

std::unique_ptr<FileSystem> MakeNativeFileSystem(const DriveMap&) {
  return std::make_unique<Win32FileSystem>();
}

}  // namespace tarnwick
