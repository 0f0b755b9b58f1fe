// SPDX-License-Identifier: GPL-3.0-or-later
// The ephemeris store as the main window and the export dialog use it: load, the date range,
// positions at a few moments, and an extract of the first days.
#include "EfemerisClass.h"
#include "FuzzFiles.h"
#include "PlanetPosition.h"

#include <algorithm>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteInput(data, size, "efemerid.efm");
  try {
    const astro::TEfemerisClass store(path);
    const astro::TDateTime first = store.FirstDate();
    const astro::TDateTime last = store.LastDate();
    astro::TPlanetPosition position;
    for (const astro::TDateTime moment :
         {first, last, first + (last - first) / 2, first - 1.5, last + 1.5, 0.0})
      store.ComputePositions(position, moment);
    if (store.HasData()) {
      if (const auto name = store.ExportRange(first, std::min(first + 3, last), fuzz::Folder()))
        std::remove((fuzz::Folder() + *name).c_str());
    }
  } catch (const astro::EFileError&) {
  }
  return 0;
}
