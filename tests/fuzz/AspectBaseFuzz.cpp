// SPDX-License-Identifier: GPL-3.0-or-later
// The aspect text base as the tree frame's report uses it. Entries are decoded when asked for, so
// every entry is asked for (and a few numbers outside the table).
#include "AspectBase.h"
#include "FuzzFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TAspectBase base(QString::fromStdString(fuzz::WriteInput(data, size, "aspects.dat")));
  QStringList lines;
  for (int p1 = 0; p1 <= 11; ++p1)
    for (int p2 = p1; p2 <= 11; ++p2)
      for (int aspect = 0; aspect <= 19; ++aspect)
        base.GetAspectText(p1, aspect, p2, &lines);
  return 0;
}
