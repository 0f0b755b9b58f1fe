// SPDX-License-Identifier: GPL-3.0-or-later
// The city base as the position frame uses it: the country list, the city lists, and the
// coordinates of a chosen city.
#include "CityBase.h"
#include "FuzzFiles.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TCityBase base(QString::fromStdString(fuzz::WriteInput(data, size, "cities.txt")));
  const QStringList countries = base.GetCountryList();
  for (qsizetype c = 0; c < countries.size() && c < 3; ++c) {
    const QStringList cities = base.GetCityList(countries[c]);
    for (qsizetype i = 0; i < cities.size() && i < 3; ++i) {
      QString latitude, longitude, zone;
      if (!base.FindCity(countries[c], cities[i], latitude, longitude, zone))
        std::abort(); // every listed city is found
    }
  }
  return 0;
}
