// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's command line: the input is its arguments separated by NUL bytes.
#include "ChartOptions.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      args.emplace_back();
    else
      args.back() += static_cast<char>(data[i]);
  }
  try {
    const chart::TChartOptions options = chart::ParseChartOptions(args);
    const std::int64_t count = chart::SeriesLength(options);
    if (count < 1)
      std::abort(); // a parsed command line asks for at least one chart
    for (const std::int64_t index : {std::int64_t{0}, count / 2, count - 1})
      chart::SeriesMoment(options, index);
  } catch (const chart::TChartError&) {
  }
  return 0;
}
