// Any bytes as a generated file whose scenery list starts at the offset given by the first byte:
// the list reader stays inside the file, returns whole paths only and puts the file back where it
// found it.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz_support.h"
#include "scenery/bgl_menu.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarnwick;
  fuzz::FuzzSession f;
  f.log.Create(f.fs, "scan.log");
  f.fs.files["in.bgl"].assign(data, data + size);
  std::unique_ptr<File> file = f.fs.Open("in.bgl", OpenMode::kRead);
  BglHeader header;
  header.mark = kGeneratorMark;
  header.scenery_list_offset = size > 0 ? data[0] : 0;
  const uint32_t position = size > 1 ? data[1] : 0;
  file->Seek(position);
  auto list = ReadSceneryList(f.session, *file, header);
  if (file->Position() != position) std::abort();
  if (list) {
    if (list->empty()) std::abort();
    for (const std::string& path : *list) {
      if (std::memchr(path.data(), 0, path.size()) != nullptr) std::abort();
    }
  }
  return 0;
}
