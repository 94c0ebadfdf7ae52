#include "support/scenery_on_disk.h"

#include <fstream>

#include "support/test_session.h"
#include "support/vis_builder.h"

namespace tarnwick::testing {

namespace {

uint32_t GetU32(const std::vector<uint8_t>& bytes, size_t at) {
  if (at + 4 > bytes.size()) return 0;
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

std::string StringAt(const std::vector<uint8_t>& bytes, size_t& at) {
  std::string text;
  while (at < bytes.size() && bytes[at] != 0) text += static_cast<char>(bytes[at++]);
  ++at;
  return text;
}

}  // namespace

std::vector<VisEntrySpec> ReadVisEntries(const std::vector<uint8_t>& bytes) {
  std::vector<VisEntrySpec> entries;
  if (bytes.size() < 16) return entries;
  size_t at = bytes[10] | bytes[11] << 8;
  while (at + 3 <= bytes.size() && bytes[at] != 0) {
    VisEntrySpec entry;
    entry.flags = bytes[at + 2];
    at += 3;
    entry.path = StringAt(bytes, at);
    entry.title = StringAt(bytes, at);
    entries.push_back(entry);
  }
  return entries;
}

SceneryOnDisk::SceneryOnDisk(std::string name) : root(dir.path() / "FS98"), vis_name(name) {
  std::filesystem::create_directories(root / "Scenery");
  vis_path = WindowsPath(VisFile());
}

void SceneryOnDisk::AddFolder(
    const std::string& folder,
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files, uint8_t flags) {
  entries.push_back({"=:\\=\\Scenery\\" + folder + "\\*.bgl", folder, flags});
  std::filesystem::create_directories(root / "Scenery" / folder / "Scenery");
  for (const auto& [name, bytes] : files) AddFile(folder, name, bytes);
}

void SceneryOnDisk::AddFile(const std::string& folder, const std::string& name,
                            const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(root / "Scenery" / folder / "Scenery");
  std::ofstream out(Bgl(folder, name), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

void SceneryOnDisk::AddFolder(const std::string& folder,
                              const std::vector<std::pair<std::string, BglFile>>& files,
                              uint8_t flags) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> built;
  for (const auto& [name, file] : files) built.emplace_back(name, BuildBgl(file).bytes);
  AddFolder(folder, built, flags);
}

void SceneryOnDisk::WriteVis() {
  VisBuilder builder;
  for (const VisEntrySpec& entry : entries) builder.Entry(entry.flags, entry.path, entry.title);
  std::vector<uint8_t> bytes = builder.Trailer({0xDE, 0xAD}).Build();
  std::ofstream out(VisFile(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::filesystem::path SceneryOnDisk::Bgl(const std::string& folder, const std::string& name) const {
  return root / "Scenery" / folder / "Scenery" / name;
}

std::filesystem::path SceneryOnDisk::VisFile() const {
  return root / "Scenery" / vis_name;
}

std::filesystem::path SceneryOnDisk::MenusFolder() const {
  return root / "Scenery" / "Menus";
}

std::filesystem::path SceneryOnDisk::MenuBgl() const {
  std::string base = vis_name.substr(0, vis_name.find('.'));
  return MenusFolder() / "Scenery" / (base + "_MENU.bgl");
}

int SceneryOnDisk::SwitchByte(const std::filesystem::path& bgl) const {
  std::vector<uint8_t> bytes = ReadFileBytes(bgl);
  uint32_t offset = GetU32(bytes, 66);
  if (offset == 0 || offset >= bytes.size()) return -1;
  return bytes[offset];
}

BglFile MenuFile(const std::vector<std::pair<std::string, std::vector<std::string>>>& areas) {
  BglFile file;
  int n = 0;
  for (const auto& [title, descriptions] : areas) {
    BglArea area;
    area.title = title;
    for (const std::string& description : descriptions) {
      BglLocn locn;
      locn.description = description;
      ++n;
      locn.fields = Locn(50.0 + n * 0.01, -1.0 - n * 0.01, 100.0 + n, 10.0 * n, 0x2290, 0x1030,
                         static_cast<uint16_t>(n % 360), 0x1150, 90);
      area.locations.push_back(locn);
    }
    file.areas.push_back(area);
  }
  return file;
}

}  // namespace tarnwick::testing
