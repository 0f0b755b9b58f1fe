// SPDX-License-Identifier: GPL-3.0-or-later
// The tarot text base: every text read.
#include "FuzzFiles.h"
#include "TaroBase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TTaroBase base(QString::fromStdString(fuzz::WriteInput(data, size, "taro.dat")));
  qsizetype lines = 0;
  for (int i = 0; i <= TTaroBase::TextCount + 1; ++i)
    lines += base.Texts(i).size();
  return lines < 0;
}
