// The stored fields of a LOCN record as JSON keys, in the record's order; the menu and bgl jobs
// print them alike.
#pragma once

#include "cli/json_writer.h"
#include "scenery/scenery_set.h"

namespace tarnwick::cli {

// Adds the keys "latitude" to "obi2" to the object being written.
JsonWriter& WriteLocnFields(JsonWriter& json, const LocnFields& f);

}  // namespace tarnwick::cli
