// A FileSystem that passes every call on to another one, except the failures a test asks for:
// the disk that fills up half-way through a write, the rename that is refused, and so on.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tarnwick::testing {

class FailingFileSystem : public FileSystem {
 public:
  explicit FailingFileSystem(FileSystem& inner) : inner_(inner) {}

  // The Win32 code each failure reports; 0 lets the call through.
  uint32_t fail_create = 0;   // Open for writing (every mode but kRead)
  uint32_t fail_write = 0;    // File::Write writes half of the bytes, then fails
  uint32_t fail_flush = 0;    // File::Flush
  uint32_t fail_replace = 0;  // Replace
  uint32_t fail_delete = 0;   // Delete
  // The n-th call that changes the disk (open for writing, write, flush, delete, rename, replace,
  // attributes, make folder), counted from 1, fails; with `kill` it and every later one fails, as
  // if the program had been stopped there.
  int fail_at = 0;
  bool kill = false;
  // Decides every change instead, given its number (from 1): true fails it.
  std::function<bool(int)> fail_when;
  int changes = 0;  // such calls so far

  std::unique_ptr<File> Open(std::string_view path, OpenMode mode) override {
    injected_ = 0;
    if (mode != OpenMode::kRead && Scheduled()) return Inject(kScheduled), nullptr;
    if (mode != OpenMode::kRead && fail_create != 0) {
      Inject(fail_create);
      return nullptr;
    }
    auto file = inner_.Open(path, mode);
    if (!file) return nullptr;
    return std::make_unique<FailingFile>(std::move(file), *this);
  }
  std::vector<std::string> FindFiles(std::string_view pattern) override {
    return Pass(), inner_.FindFiles(pattern);
  }
  bool Exists(std::string_view path) override { return Pass(), inner_.Exists(path); }
  bool IsWritable(std::string_view path) override { return Pass(), inner_.IsWritable(path); }
  bool SetNormalAttributes(std::string_view path) override {
    if (Scheduled()) return Inject(kScheduled);
    return Pass(), inner_.SetNormalAttributes(path);
  }
  bool SetReadOnly(std::string_view path) override { return Pass(), inner_.SetReadOnly(path); }
  bool Delete(std::string_view path) override {
    if (Scheduled()) return Inject(kScheduled);
    if (fail_delete != 0) return Inject(fail_delete);
    return Pass(), inner_.Delete(path);
  }
  bool Rename(std::string_view from, std::string_view to) override {
    if (Scheduled()) return Inject(kScheduled);
    return Pass(), inner_.Rename(from, to);
  }
  bool Replace(std::string_view from, std::string_view to) override {
    if (Scheduled()) return Inject(kScheduled);
    if (fail_replace != 0) return Inject(fail_replace);
    return Pass(), inner_.Replace(from, to);
  }
  bool MakeFolder(std::string_view path) override {
    if (Scheduled()) return Inject(kScheduled);
    return Pass(), inner_.MakeFolder(path);
  }
  uint32_t LastError() const override { return injected_ != 0 ? injected_ : inner_.LastError(); }
  std::string ProgramPath(std::string_view typed) override { return inner_.ProgramPath(typed); }

 private:
  class FailingFile : public File {
   public:
    FailingFile(std::unique_ptr<File> inner, FailingFileSystem& fs)
        : inner_(std::move(inner)), fs_(fs) {}
    bool Read(void* buffer, uint32_t size, uint32_t& got) override {
      return fs_.Pass(), inner_->Read(buffer, size, got);
    }
    bool Write(const void* buffer, uint32_t size) override {
      if (fs_.Scheduled()) {
        inner_->Write(buffer, size / 2);
        return fs_.Inject(kScheduled);
      }
      if (fs_.fail_write == 0) return fs_.Pass(), inner_->Write(buffer, size);
      inner_->Write(buffer, size / 2);
      return fs_.Inject(fs_.fail_write);
    }
    bool Seek(uint32_t position) override { return fs_.Pass(), inner_->Seek(position); }
    uint32_t Position() const override { return inner_->Position(); }
    int64_t Size() const override { return inner_->Size(); }
    bool Flush() override {
      if (fs_.Scheduled()) return fs_.Inject(kScheduled);
      if (fs_.fail_flush != 0) return fs_.Inject(fs_.fail_flush);
      return fs_.Pass(), inner_->Flush();
    }

   private:
    std::unique_ptr<File> inner_;
    FailingFileSystem& fs_;
  };

  static constexpr uint32_t kScheduled = win32_error::kWriteFault;
  bool Scheduled() {
    if (fail_at == 0 && !fail_when) return false;
    ++changes;
    if (fail_when) return fail_when(changes);
    return changes == fail_at || (kill && changes > fail_at);
  }
  void Pass() { injected_ = 0; }
  bool Inject(uint32_t code) {
    injected_ = code;
    return false;
  }

  FileSystem& inner_;
  uint32_t injected_ = 0;
};

}  // namespace tarnwick::testing
