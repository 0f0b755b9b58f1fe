// SPDX-License-Identifier: GPL-3.0-or-later
// The store keeps records and makes a day's line when asked: every line of the shipped file must
// be the text the line loader used to build (date text, then each longitude formatted with two
// decimals in six characters), and the lookups must answer as the binary search over those
// lines did, also in files with gaps and disorder.
#include "DateTime.h"
#include "EfemerisClass.h"
#include "Formatting.h"
#include "PlanetPosition.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

using namespace astro;
namespace fs = std::filesystem;

namespace {

using TBytes = std::vector<std::uint8_t>;

// The line loader and its search, as the store worked before it kept records.
struct TLineLoader {
  std::vector<std::string> Lines;

  explicit TLineLoader(const TBytes& bytes) {
    for (std::size_t at = 0; at + 23 <= bytes.size(); at += 23) {
      std::string line = TEfemerisClass::UnpackDate({bytes[at], bytes[at + 1], bytes[at + 2]});
      for (int b = 0; b < 10; ++b) {
        const auto word =
            static_cast<std::uint16_t>(bytes[at + 3 + 2 * b] | (bytes[at + 4 + 2 * b] << 8));
        line += ' ' + FormatFixed(2, 6, TEfemerisClass::UnpackLongitude(word));
      }
      Lines.push_back(line);
    }
  }

  static std::int64_t Key(std::string_view date) {
    return StrToIntVal(date.substr(6, 4)) * 10000LL + StrToIntVal(date.substr(3, 2)) * 100LL +
           StrToIntVal(date.substr(0, 2));
  }

  std::size_t FindRecord(std::string_view date) const {
    const std::int64_t key = Key(date);
    std::size_t low = 0, high = Lines.size() - 1, mid = low + (high - low) / 2;
    while (high - low > 1) {
      const std::int64_t line = Key(Lines[mid]);
      if (key < line)
        high = mid;
      else if (key == line)
        return mid;
      else
        low = mid;
      mid = low + (high - low) / 2;
    }
    return low;
  }
};

TBytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

fs::path WriteFile(const std::string& name, const TBytes& bytes) {
  const fs::path dir = fs::path(ASTRAVIA_TEST_OUTPUT_DIR) / "astro_ephemeris_lines";
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return dir / name;
}

void ExpectSameLookups(const TEfemerisClass& store, const TLineLoader& loader, TDateTime from,
                       TDateTime to) {
  for (TDateTime day = from; day <= to; day += 1) {
    const std::string text = DateToText(day);
    std::size_t index = 0;
    ASSERT_TRUE(store.FindRecord(text, index));
    ASSERT_EQ(index, loader.FindRecord(text)) << text;
  }
}

} // namespace

TEST(EphemerisLines, EveryShippedLineIsTheLineLoadersText) {
  const fs::path path = fs::path(ASTRAVIA_RUN_DIR) / "base" / "efemerid.efm";
  if (!fs::exists(path))
    GTEST_SKIP() << path << " has not been generated";
  const TBytes bytes = ReadFile(path);
  const TLineLoader loader(bytes);
  const TEfemerisClass store(path.string());
  ASSERT_EQ(store.LineCount(), loader.Lines.size());
  for (std::size_t i = 0; i < store.LineCount(); ++i)
    ASSERT_EQ(store.Line(i), loader.Lines[i]) << "line " << i;
  ExpectSameLookups(store, loader, store.FirstDate() - 3, store.LastDate() + 3);
}

TEST(EphemerisLines, GapsAndDisorderAnswerAsTheLineSearch) {
  // Days 1..40 of July 2005 with day 10 missing, then a record out of order, then a duplicate.
  TBytes bytes;
  auto append = [&bytes](TDateTime day) {
    const TCalendarDate d = DecodeDate(day);
    bytes.push_back(static_cast<std::uint8_t>((d.Day << 3) | (d.Month >> 1)));
    bytes.push_back(static_cast<std::uint8_t>(((d.Month & 1) << 7) | (d.Year >> 8)));
    bytes.push_back(static_cast<std::uint8_t>(d.Year & 255));
    bytes.insert(bytes.end(), 20, static_cast<std::uint8_t>(bytes.size() % 200));
  };
  const TDateTime first = EncodeDate(2005, 7, 1);
  for (int i = 0; i < 40; ++i)
    if (i != 9)
      append(first + i);
  const TEfemerisClass gap(WriteFile("gap.efm", bytes).string());
  ExpectSameLookups(gap, TLineLoader(bytes), first - 2, first + 42);

  append(first + 5);
  append(first + 41);
  append(first + 41);
  const TEfemerisClass disorder(WriteFile("disorder.efm", bytes).string());
  ExpectSameLookups(disorder, TLineLoader(bytes), first - 2, first + 43);
  std::size_t index = 0;
  ASSERT_TRUE(disorder.FindRecord("31.02.2005", index)); // an impossible date searches too
  EXPECT_EQ(index, TLineLoader(bytes).FindRecord("31.02.2005"));
}
