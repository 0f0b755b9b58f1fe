// SPDX-License-Identifier: GPL-3.0-or-later
// The aspect text base as the tree frame's report uses it.
#include "AspectBase.h"
#include "FuzzFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TAspectBase base(QString::fromStdString(fuzz::WriteInput(data, size, "aspects.dat")));
  QStringList lines;
  for (int p1 = 1; p1 <= 10; ++p1)
    for (int aspect = 1; aspect <= 18; aspect += 5)
      base.GetAspectText(p1, aspect, 11 - p1, &lines);
  return 0;
}
