// SPDX-License-Identifier: GPL-3.0-or-later
// The Csv reader of chart collections on any bytes: the text's encoding guessed, every record
// read or refused, and what was read written out and read again.
#include "CollectionFormats.h"
#include "CollectionText.h"
#include "PlaceAtlas.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const archive::TDecodedText text = archive::DecodeCollection(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const archive::TPlaceAtlas atlas(nullptr);
  const archive::TReadResult read = archive::ReadCsv(text.Text, atlas);
  const archive::TReadResult again =
      archive::ReadCsv(archive::DecodeCollection(archive::WriteCsv(read.Records)).Text, atlas);
  if (again.Records.size() + again.Refused.size() < read.Records.size())
    std::abort(); // a written record vanished
  return 0;
}
