#include "sample_set.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "scenery/bgl_records.h"

namespace tarnwick::sample {

namespace {

// One start position: an airport runway with its tower and ILS frequencies (MHz; 0 = none).
struct Airport {
  const char* description;
  double latitude;
  double longitude;
  double elevation_ft;
  double heading;
  double com;
  double nav1 = 0;
  int obi1 = 0;
  double nav2 = 0;
  int obi2 = 0;
};

struct Area {
  const char* title;
  std::vector<Airport> airports;
};

// A BGL file; one without Areas carries no menu. `scenery_bytes` stand for the scenery data that
// surrounds the menu in a real file.
struct Bgl {
  const char* name;
  std::vector<Area> areas;
  uint32_t scenery_bytes = 1500;
  int cut_to = -1;  // >= 0: the file is cut short to this many bytes
};

// A VIS entry with the files of its folder. Add-on folders live beside the Scenery folder and are
// named by absolute paths; the others by the simulator-relative "=:\=\" form.
struct SceneryArea {
  const char* title;
  const char* folder;  // as written in the VIS path
  const char* folder_on_disk;
  bool addon;
  uint8_t flags;  // 1 active, 2 protected
  std::vector<Bgl> bgls;
};

const std::vector<SceneryArea>& Areas() {
  static const std::vector<SceneryArea> areas = {
      {"Default Scenery",
       "World",
       "World",
       false,
       3,
       {{"WORLD.BGL", {}, 6000}, {"Ocean.bgl", {}, 2500}, {"Readme.bgl", {}, 0, 60}}},
      {"Seattle",
       "seattle",
       "Seattle",
       false,
       1,
       {{"SEATAC.BGL",
         {{"Seattle",
           {{"Seattle-Tacoma Intl Rwy 16L", 47.4637, -122.3080, 433, 163, 119.90, 110.30, 163,
             116.80, 341},
            {"Seattle-Tacoma Intl Rwy 34R", 47.4319, -122.3080, 433, 343, 119.90, 111.70, 343},
            {"Renton Municipal", 47.4931, -122.2158, 32, 157, 124.70},
            {"Paine Field Snohomish Co", 47.9063, -122.2816, 606, 160, 132.95, 109.30, 160}}}}},
        {"Kbfi_Field.Bgl",
         {{"Seattle (Boeing)",
           {{"King County Intl (Boeing Field)", 47.5300, -122.3020, 21, 133, 120.60, 110.90,
             133}}}},
         900},
        {"seattle_objects.bgl", {}, 3000}}},
      {"San Francisco Bay",
       "SanFran",
       "sanfran",
       false,
       1,
       {{"SFBay.BGL",
         {{"San Francisco Bay Area",
           {{"San Francisco Intl Rwy 28L", 37.6117, -122.3581, 13, 284, 120.50, 109.55, 284},
            {"Oakland Intl Rwy 29", 37.7013, -122.2208, 9, 294, 118.30, 108.70, 294},
            {"San Jose Intl Rwy 30L", 37.3526, -121.9191, 62, 299, 124.00, 110.90, 299},
            {"Half Moon Bay", 37.5134, -122.5012, 66, 300, 122.80}}}}}}},
      {"Chicago",
       "Chicago",
       "CHICAGO",
       false,
       1,
       {{"chicago.bgl",
         {{"Chicago",
           {{"O'Hare Intl Rwy 27L", 41.9786, -87.9048, 672, 270, 120.75, 111.10, 270},
            {"Chicago Midway Rwy 31C", 41.7868, -87.7522, 620, 314, 118.70, 109.10, 314},
            {"Chicago Executive", 42.1142, -87.9015, 647, 160, 119.90}}}}}}},
      {"New York",
       "NewYork",
       "NewYork",
       false,
       1,
       {{"NYC.BGL",
         {{"New York",
           {{"John F Kennedy Intl Rwy 04R", 40.6255, -73.7704, 13, 44, 119.10, 109.50, 44},
            {"La Guardia Rwy 22", 40.7858, -73.8631, 21, 224, 118.70, 108.50, 224},
            {"Teterboro Rwy 06", 40.8437, -74.0675, 9, 60, 119.50, 108.90, 60}}},
          {"New Jersey",
           {{"Newark Liberty Intl Rwy 22L", 40.7050, -74.1603, 18, 220, 118.30, 108.70, 220, 115.70,
             40}}}}},
        {"NY_Bridges.bgl", {}, 4000}}},
      {"Los Angeles",
       "LosAngeles",
       "LosAngeles",
       false,
       1,
       {{"LA.bgl",
         {{"Los Angeles",
           {{"Los Angeles Intl Rwy 25L", 33.9375, -118.3820, 128, 250, 133.90, 109.90, 250},
            {"Burbank Bob Hope Rwy 08", 34.1990, -118.3700, 778, 80, 118.70, 110.30, 80},
            {"Santa Monica Municipal", 34.0158, -118.4513, 177, 212, 120.10},
            {"Van Nuys Rwy 16R", 34.2160, -118.4920, 802, 162, 119.30, 111.30, 162}}}}}}},
      {"Paris",
       "Paris",
       "Paris",
       false,
       1,
       {{"Paris.BGL",
         {{"Paris",
           {{"Charles de Gaulle Rwy 27L", 49.0247, 2.5630, 392, 266, 119.25, 110.70, 266},
            {"Orly Rwy 06", 48.7170, 2.3560, 291, 62, 118.70, 110.30, 62},
            {"Le Bourget", 48.9694, 2.4414, 218, 268, 119.10}}}}}}},
      {"London Heathrow and City",
       "London",
       "london",
       true,
       1,
       {{"Egll.bgl",
         {{"London",
           {{"Heathrow Rwy 27L", 51.4648, -0.4342, 83, 273, 118.50, 109.50, 273},
            {"Gatwick Rwy 26L", 51.1500, -0.1700, 202, 258, 124.22, 110.90, 258},
            {"London City Rwy 27", 51.5053, 0.0553, 19, 273, 118.07},
            {"Stansted Rwy 22", 51.8950, 0.2450, 348, 222, 123.80, 110.50, 222}}}}},
        {"LONDON_TEXTURES.BGL", {}, 5000}}},
      {"Munich",
       "Munich",
       "Munich",
       true,
       1,
       {{"EDDM.BGL",
         {{"Munich",
           {{"Munich Franz Josef Strauss 26R", 48.3400, 11.8200, 1487, 263, 118.70, 108.30, 263},
            {"Oberpfaffenhofen", 48.0814, 11.2831, 1947, 222, 119.92}}}}}}},
      {"Tokyo",
       "Tokyo",
       "Tokyo",
       false,
       0,
       {{"tokyo.bgl",
         {{"Tokyo",
           {{"Haneda Rwy 34R", 35.5400, 139.7870, 35, 337, 118.10, 110.90, 337},
            {"Narita Rwy 34L", 35.7500, 140.3900, 141, 337, 118.20, 111.50, 337}}}}}}},
      {"Sydney",
       "Sydney",
       "Sydney",
       true,
       0,
       {{"Yssy.BGL",
         {{"Sydney",
           {{"Kingsford Smith Rwy 34L", -33.9650, 151.1800, 21, 335, 120.50, 109.90, 335},
            {"Bankstown", -33.9244, 150.9883, 29, 290, 120.60}}}}}}},
      {"Alaska",
       "Alaska",
       "ALASKA",
       true,
       1,
       {{"Alaska.bgl",
         {{"Alaska",
           {{"Anchorage Ted Stevens Rwy 7R", 61.1700, -150.0200, 152, 74, 118.30, 111.30, 74},
            {"Juneau Intl", 58.3550, -134.5763, 26, 83, 118.70},
            {"Fairbanks Intl Rwy 2L", 64.8050, -147.8600, 439, 20, 118.30, 109.10, 20},
            {"Ketchikan Intl", 55.3556, -131.7137, 89, 110, 118.20}}}}},
        {"ALASKA_MESH.BGL", {}, 2000}}},
      {"Hawaii",
       "Hawaii",
       "Hawaii",
       false,
       1,
       {{"Hawaii.BGL",
         {{"Hawaii",
           {{"Honolulu Intl Rwy 8L", 21.3187, -157.9400, 13, 80, 118.10, 109.50, 80},
            {"Kahului Rwy 2", 20.8900, -156.4350, 54, 20, 118.70, 110.50, 20},
            {"Kona Intl", 19.7388, -156.0456, 47, 170, 120.30}}}}}}},
      {"Caribbean",
       "Caribbean",
       "Caribbean",
       false,
       0,
       {{"caribbean.bgl",
         {{"Caribbean",
           {{"Princess Juliana (St Maarten)", 18.0410, -63.1089, 13, 95, 118.70},
            {"San Juan Luis Munoz Marin", 18.4394, -66.0018, 9, 83, 118.30, 110.30, 83}}}}}}},
  };
  return areas;
}

// Radio frequency in stored form: four BCD digits of the MHz value without the leading 1.
uint16_t Bcd(double mhz) {
  if (mhz <= 0) return 0;
  long digits = std::lround(mhz * 100) - 10000;
  uint16_t bcd = 0;
  for (int shift = 0; shift < 16; shift += 4) {
    bcd = static_cast<uint16_t>(bcd | ((digits % 10) << shift));
    digits /= 10;
  }
  return bcd;
}

LocnFields Fields(const Airport& a) {
  LocnFields f;
  f.latitude = static_cast<int32_t>(std::llround(a.latitude * 1280224000.0 / 90.0));
  f.longitude = static_cast<int32_t>(
      static_cast<uint32_t>(std::llround(a.longitude * 4294967296.0 / 360.0) & 0xFFFFFFFF));
  f.altitude = static_cast<int32_t>(std::llround(a.elevation_ft * 0.3048 * 256.0));
  f.heading = static_cast<uint16_t>(std::llround(a.heading * 65536.0 / 360.0) & 0xFFFF);
  f.com1 = Bcd(a.com);
  f.nav1 = Bcd(a.nav1);
  f.obi1 = static_cast<uint16_t>(a.obi1);
  f.nav2 = Bcd(a.nav2);
  f.obi2 = static_cast<uint16_t>(a.obi2);
  return f;
}

// Deterministic stand-in for scenery data: the same bytes on every run.
void AppendSceneryData(std::vector<uint8_t>& out, uint32_t count, uint32_t& seed) {
  for (uint32_t i = 0; i < count; ++i) {
    seed = seed * 1103515245u + 12345u;
    out.push_back(static_cast<uint8_t>(seed >> 16));
  }
}

std::vector<uint8_t> BglBytes(const Bgl& bgl, uint32_t& seed) {
  std::vector<uint8_t> out(kBglHeaderSize, 0);
  PutU16(&out[0], 1);
  AppendSceneryData(out, bgl.scenery_bytes, seed);
  if (!bgl.areas.empty()) {
    const uint32_t menu = static_cast<uint32_t>(out.size());
    PutU32(&out[kMenuOffsetAt], menu);
    // The LOCN lists follow the AREA list and its end byte.
    uint32_t list = 1;
    for (const Area& area : bgl.areas) {
      list += static_cast<uint32_t>(std::string_view(area.title).size()) + kMinAreaRecord;
    }
    std::vector<uint8_t> lists;
    for (const Area& area : bgl.areas) {
      AppendAreaRecord(out, area.title, list + static_cast<uint32_t>(lists.size()));
      for (const Airport& airport : area.airports) {
        AppendLocnRecord(lists, Fields(airport), airport.description, 0);
      }
      lists.push_back(0);
    }
    out.push_back(0);
    out.insert(out.end(), lists.begin(), lists.end());
    AppendSceneryData(out, bgl.scenery_bytes / 2, seed);
  }
  if (bgl.cut_to >= 0) out.resize(static_cast<size_t>(bgl.cut_to));
  return out;
}

std::vector<uint8_t> VisBytes(const std::string& windows_root) {
  std::vector<uint8_t> out(0x20, 0);
  PutU16(&out[10], 0x20);
  uint8_t layer = 10;
  for (const SceneryArea& area : Areas()) {
    std::string path = area.addon ? windows_root + "\\Addon Scenery\\" + area.folder + "\\*.bgl"
                                  : std::string("=:\\=\\Scenery\\") + area.folder + "\\*.bgl";
    out.insert(out.end(), {1, layer++, area.flags});
    out.insert(out.end(), path.begin(), path.end());
    out.push_back(0);
    out.insert(out.end(), area.title, area.title + std::string_view(area.title).size());
    out.push_back(0);
  }
  const uint16_t entries = static_cast<uint16_t>(out.size() - 0x20);
  PutU16(&out[0], entries);
  PutU16(&out[12], entries);
  out.push_back(0);
  // Bytes after the entry list that the program keeps as they are.
  out.insert(out.end(), {0x4C, 0x41, 0x59, 0x52});
  return out;
}

class Writer {
 public:
  Writer(FileSystem& fs, std::string& error) : fs_(fs), error_(error) {}

  bool Folder(const std::string& path) {
    if (fs_.MakeFolder(path) || fs_.Exists(path)) return true;
    error_ = "cannot make folder " + path;
    return false;
  }
  bool File(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::unique_ptr<tarnwick::File> file = fs_.Open(path, OpenMode::kCreateWrite);
    if (file && file->Write(bytes.data(), static_cast<uint32_t>(bytes.size()))) return true;
    error_ = "cannot write " + path;
    return false;
  }

 private:
  FileSystem& fs_;
  std::string& error_;
};

}  // namespace

bool WriteSampleSet(FileSystem& fs, const std::string& folder, const std::string& windows_root,
                    std::string& error) {
  Writer w(fs, error);
  const std::string scenery = folder + "\\Scenery";
  const std::string addons = folder + "\\Addon Scenery";
  if (!w.Folder(folder) || !w.Folder(scenery) || !w.Folder(addons)) return false;
  if (!w.File(scenery + "\\World.vis", VisBytes(windows_root))) return false;
  uint32_t seed = 1998;
  for (const SceneryArea& area : Areas()) {
    const std::string base = (area.addon ? addons : scenery) + "\\" + area.folder_on_disk;
    // Folder names differ in case from the VIS paths, as they do on real installs.
    const std::string files = base + (area.addon ? "\\Scenery" : "\\scenery");
    if (!w.Folder(base) || !w.Folder(files)) return false;
    for (const Bgl& bgl : area.bgls) {
      if (!w.File(files + "\\" + bgl.name, BglBytes(bgl, seed))) return false;
    }
  }
  return true;
}

}  // namespace tarnwick::sample
