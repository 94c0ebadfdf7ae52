#include "cli/locn_fields_json.h"

namespace tarnwick::cli {

JsonWriter& WriteLocnFields(JsonWriter& json, const LocnFields& f) {
  return json.Key("latitude")
      .Number(f.latitude)
      .Key("longitude")
      .Number(f.longitude)
      .Key("altitude")
      .Number(f.altitude)
      .Key("heading")
      .Number(f.heading)
      .Key("com1")
      .Number(f.com1)
      .Key("nav1")
      .Number(f.nav1)
      .Key("obi1")
      .Number(f.obi1)
      .Key("nav2")
      .Number(f.nav2)
      .Key("obi2")
      .Number(f.obi2);
}

}  // namespace tarnwick::cli
