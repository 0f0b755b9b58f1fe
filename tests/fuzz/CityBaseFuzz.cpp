// SPDX-License-Identifier: GPL-3.0-or-later
// The city base as the position frame uses it: the country list, the city lists, and the
// coordinates and zone of a chosen city, its zone name looked up for a date; and the base
// narrowed to a listed city's name, which must hold that city.
#include "CityBase.h"
#include "DateTime.h"
#include "FuzzFiles.h"
#include "ZoneOffset.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString file = QString::fromStdString(fuzz::WriteInput(data, size, "cities.txt"));
  const TCityBase base(file);
  const QStringList countries = base.GetCountryList();
  for (qsizetype c = 0; c < countries.size() && c < 3; ++c) {
    const QStringList cities = base.GetCityList(countries[c]);
    for (qsizetype i = 0; i < cities.size() && i < 3; ++i) {
      QString latitude, longitude, zone;
      if (!base.FindCity(countries[c], cities[i], latitude, longitude, zone))
        std::abort(); // every listed city is found
      const auto place = base.FindPlace(countries[c], cities[i]);
      if (!place)
        std::abort();
      HistoricOffset(place->ZoneName.toUtf8(), 37.6, astro::EncodeDate(2005, 1, 5) + 0.5);
      const TCityBase narrowed = TCityBase::Narrowed(file, cities[i].section(u';', 0, 0));
      if (!narrowed.FindPlace(countries[c], cities[i]))
        std::abort(); // the narrowed base keeps every place of the name
    }
  }
  return 0;
}
