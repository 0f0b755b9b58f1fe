// SPDX-License-Identifier: GPL-3.0-or-later
#include "EfemerisClass.h"
#include "DateTime.h"
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

fs::path OutputDir() {
  const fs::path dir = fs::path(ASTRAVIA_TEST_OUTPUT_DIR) / "astro_ephemeris";
  fs::create_directories(dir);
  return dir;
}

void Append(TBytes& bytes, int year, int month, int day, const std::array<int, 10>& hundredths) {
  bytes.push_back(static_cast<std::uint8_t>((day << 3) | (month >> 1)));
  bytes.push_back(static_cast<std::uint8_t>(((month & 1) << 7) | (year >> 8)));
  bytes.push_back(static_cast<std::uint8_t>(year & 255));
  for (int h : hundredths) {
    const int word = (h / 100) * 128 + h % 100;
    bytes.push_back(static_cast<std::uint8_t>(word & 255));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
  }
}

std::string WriteFile(const std::string& name, const TBytes& bytes) {
  const fs::path path = OutputDir() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

TBytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Consecutive days from 1 July 2005; body b moves b degrees a day from 10 * b degrees.
TBytes Days(int count) {
  TBytes bytes;
  TDateTime day = EncodeDate(2005, 7, 1);
  for (int i = 0; i < count; ++i, day += 1) {
    const TCalendarDate d = DecodeDate(day);
    std::array<int, 10> h{};
    for (int b = 1; b <= 10; ++b)
      h[b - 1] = (1000 * b + 100 * b * i + 7) % 36000;
    Append(bytes, d.Year, d.Month, d.Day, h);
  }
  return bytes;
}

struct TCountingModel {
  TPlanetPosition Model;
  int Changes = 0;
  TCountingModel() {
    Model.OnChange = [this](TPlanetPosition&) { ++Changes; };
  }
};

} // namespace

TEST(EphemerisCodec, DecodesAndEncodesTheRecordFields) {
  EXPECT_EQ(TEfemerisClass::UnpackDate({0x0B, 0x87, 0xD5}), "01.07.2005");
  EXPECT_EQ(TEfemerisClass::PackDate("01.07.2005"), (TPackedDate{0x0B, 0x87, 0xD5}));
  EXPECT_EQ(TEfemerisClass::UnpackDate({0x00, 0x03, 0xDB}), "00.00.0987"); // padded, never shorter
  EXPECT_EQ(TEfemerisClass::PackDate("31.12.4095"), (TPackedDate{0xFE, 0x0F, 0xFF}));
  EXPECT_EQ(TEfemerisClass::UnpackLongitude(15789), 123.45);
  EXPECT_EQ(TEfemerisClass::UnpackLongitude(640), 5.0);
  EXPECT_EQ(TEfemerisClass::UnpackLongitude(5), 0.05);
  EXPECT_EQ(TEfemerisClass::PackLongitude("123.45"), 15789);
  EXPECT_EQ(TEfemerisClass::PackLongitude("  5.00"), 640);
  EXPECT_EQ(TEfemerisClass::PackLongitude("5.1"), 5 * 128 + 10); // 5.10
  EXPECT_EQ(TEfemerisClass::PackLongitude("5.5"), 5 * 128 + 50);
  EXPECT_EQ(TEfemerisClass::PackLongitude("  0.05"), 5);
  EXPECT_EQ(TEfemerisClass::PackLongitude("7"), 7 * 128);
  for (unsigned w = 0; w < 360u * 128; ++w)
    if ((w & 127) < 100) {
      char field[16];
      std::snprintf(field, sizeof field, "%6.2f", TEfemerisClass::UnpackLongitude(w));
      ASSERT_EQ(TEfemerisClass::PackLongitude(field), w) << field;
    }
}

TEST(EphemerisLoad, BuildsTheFixedLineLayout) {
  TBytes bytes;
  Append(bytes, 2005, 7, 1, {510, 5207, 12345, 0, 35999, 100, 1, 99, 9000, 20000});
  Append(bytes, 2005, 7, 2, {610, 5307, 12445, 1, 0, 200, 2, 98, 9001, 20001});
  const TEfemerisClass store(WriteFile("layout.efm", bytes));
  ASSERT_EQ(store.LineCount(), 2u);
  EXPECT_EQ(store.Line(0), "01.07.2005   5.10  52.07 123.45   0.00 359.99   1.00   0.01   0.99  "
                           "90.00 200.00");
  EXPECT_EQ(store.Line(0).size(), kEphemerisLineLength);
  EXPECT_TRUE(store.Line(2).empty());
  for (std::size_t i = 0; i < 2; ++i) {
    const TEphemerisRecord r = store.EncodeLine(i);
    EXPECT_TRUE(std::equal(r.begin(), r.end(), bytes.begin() + 23 * i)) << i;
  }
}

TEST(EphemerisLoad, BadFilesGiveDefinedStores) {
  const TEfemerisClass missing((OutputDir() / "no-such.efm").string());
  EXPECT_EQ(missing.LineCount(), 0u);

  TBytes withTail = Days(4);
  withTail.insert(withTail.end(), 7, 0xEE);
  EXPECT_EQ(TEfemerisClass(WriteFile("tail.efm", withTail)).LineCount(), 4u);
  EXPECT_EQ(TEfemerisClass(WriteFile("short.efm", TBytes(22, 0x41))).LineCount(), 0u);
  EXPECT_EQ(TEfemerisClass(WriteFile("empty.efm", {})).LineCount(), 0u);

  // Hundredths above 99 cannot be in a valid file; they still give a six-character field.
  TBytes corrupt = Days(2);
  corrupt[3] = 0xFF;
  corrupt[4] = 0xFF; // 511 degrees and 127 hundredths
  const TEfemerisClass odd(WriteFile("corrupt.efm", corrupt));
  EXPECT_EQ(odd.Line(0).substr(11, 6), "512.27");
  TPlanetPosition model;
  odd.ComputePositions(model, EncodeDate(2005, 7, 1));
  EXPECT_NEAR(model.GetLongitude(1), 152.27, 1e-9);

  const fs::path folder = OutputDir() / "folder.efm";
  fs::create_directories(folder);
  try {
    TEfemerisClass store(folder.string());
    FAIL() << "a folder loaded as an ephemeris";
  } catch (const EFileError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + folder.string());
  }
}

TEST(EphemerisStore, EmptyAndOneLineStoresAnswerNothing) {
  TBytes one;
  Append(one, 2005, 7, 1, {});
  for (const auto& path : {(OutputDir() / "no-such.efm").string(), WriteFile("one.efm", one)}) {
    const TEfemerisClass store(path);
    EXPECT_FALSE(store.HasData());
    EXPECT_EQ(store.FirstDate(), 0.0);
    EXPECT_EQ(store.LastDate(), 0.0);
    std::size_t index = 99;
    EXPECT_FALSE(store.FindRecord("01.07.2005", index));
    EXPECT_EQ(index, 99u);
    TCountingModel counted;
    counted.Model.SetLongitude(3, 42.0);
    store.ComputePositions(counted.Model, EncodeDate(2005, 7, 1));
    EXPECT_EQ(counted.Changes, 0);
    EXPECT_FALSE(counted.Model.PositionsValid());
    EXPECT_EQ(counted.Model.GetLongitude(3), 42.0);
    EXPECT_FALSE(
        store.ExportRange(EncodeDate(2005, 7, 1), EncodeDate(2005, 7, 1), OutputDir().string()));
  }
}

TEST(EphemerisStore, FindRecordAndRangeBounds) {
  const TEfemerisClass store(WriteFile("ten.efm", Days(10))); // 01.07 .. 10.07.2005
  std::size_t index = 99;
  ASSERT_TRUE(store.FindRecord("01.07.2005", index));
  EXPECT_EQ(index, 0u);
  for (int day = 2; day <= 8; ++day) {
    ASSERT_TRUE(store.FindRecord(DateToText(EncodeDate(2005, 7, day)), index));
    EXPECT_EQ(index, static_cast<std::size_t>(day - 1));
  }
  for (const char* late : {"09.07.2005", "10.07.2005", "11.07.2005", "01.01.2200"}) {
    ASSERT_TRUE(store.FindRecord(late, index));
    EXPECT_EQ(index, 8u) << late;
  }
  for (const char* early : {"30.06.2005", "01.01.1800", "garbage", ""}) {
    ASSERT_TRUE(store.FindRecord(early, index));
    EXPECT_EQ(index, 0u) << early;
  }
  EXPECT_EQ(store.FirstDate(), EncodeDate(2005, 7, 1));
  EXPECT_EQ(DateToText(store.LastDate()), "09.07.2005");
  EXPECT_EQ(TimeToText(store.LastDate()), "23:59:59");
  EXPECT_EQ(store.LastDate(), EncodeDate(2005, 7, 9) + EncodeTime(23, 59, 59));
}

TEST(EphemerisStore, ImpossibleDateFieldsGiveTheNearestRealDate) {
  TBytes bytes;
  Append(bytes, 2005, 13, 0, {}); // month 13, day 0
  Append(bytes, 2005, 4, 31, {}); // 31 April
  Append(bytes, 0, 0, 0, {});
  const TEfemerisClass store(WriteFile("impossible.efm", bytes));
  ASSERT_EQ(store.LineCount(), 3u);
  EXPECT_EQ(store.Line(0).substr(0, 10), "00.13.2005");
  EXPECT_EQ(store.FirstDate(), EncodeDate(2005, 12, 1));
  EXPECT_EQ(store.LastDate(), EncodeDate(2005, 4, 30) + EncodeTime(23, 59, 59));
  std::size_t index = 99;
  EXPECT_TRUE(store.FindRecord("01.07.2005", index));
  EXPECT_LE(index, 1u);
  TPlanetPosition model;
  store.ComputePositions(model, EncodeDate(2005, 7, 1));
  EXPECT_TRUE(model.PositionsValid());
}

TEST(EphemerisStore, InterpolatesAndWrapsAcrossZero) {
  TBytes bytes;
  Append(bytes, 2005, 7, 1, {35980, 30, 1000, 500, 2000, 0, 0, 0, 0, 0});
  Append(bytes, 2005, 7, 2, {30, 35980, 2500, 2000, 500, 0, 0, 0, 0, 0});
  Append(bytes, 2005, 7, 3, {130, 35930, 2600, 2100, 600, 0, 0, 0, 0, 0});
  const TEfemerisClass store(WriteFile("wrap.efm", bytes));
  TCountingModel counted;
  TPlanetPosition& model = counted.Model;
  const TDateTime day1 = EncodeDate(2005, 7, 1);

  store.ComputePositions(model, day1);
  EXPECT_EQ(counted.Changes, 1);
  EXPECT_TRUE(model.PositionsValid());
  EXPECT_EQ(model.GetLongitude(1), 359.80);
  EXPECT_EQ(model.GetLongitude(2), 0.30);

  store.ComputePositions(model, day1 + 0.5);
  EXPECT_NEAR(model.GetLongitude(1), 0.05, 1e-9); // forwards over 0
  EXPECT_NEAR(model.GetLongitude(2), 0.05, 1e-9); // backwards over 0
  EXPECT_NEAR(model.GetLongitude(3), 17.5, 1e-9); // exactly 15 a day: not wrapped
  EXPECT_NEAR(model.GetLongitude(4), 12.5, 1e-9); // +15
  EXPECT_NEAR(model.GetLongitude(5), 12.5, 1e-9); // -15

  store.ComputePositions(model, day1 + 0.75);
  EXPECT_NEAR(model.GetLongitude(2), 359.925, 1e-9);

  // Milliseconds play no part; before the range the first two records serve, after it the last.
  store.ComputePositions(model, day1 + EncodeTime(12, 0, 0, 900));
  EXPECT_NEAR(model.GetLongitude(3), 17.5, 1e-9);
  store.ComputePositions(model, EncodeDate(2005, 6, 1) + 0.5);
  EXPECT_NEAR(model.GetLongitude(3), 17.5, 1e-9);
  store.ComputePositions(model, EncodeDate(2005, 8, 1));
  EXPECT_EQ(model.GetLongitude(3), 25.0);
  EXPECT_EQ(counted.Changes, 6);
}

TEST(EphemerisExport, WritesTheRangeAndTheFollowingDay) {
  const TBytes source = Days(10);
  const TEfemerisClass store(WriteFile("export-source.efm", source));
  const fs::path folder = OutputDir() / "extracts";
  fs::create_directories(folder);

  const auto name =
      store.ExportRange(EncodeDate(2005, 7, 3) + 0.7, EncodeDate(2005, 7, 5), folder.string());
  ASSERT_TRUE(name);
  EXPECT_EQ(*name, "03.07.2005-05.07.2005.eft");
  EXPECT_EQ(ReadFile(folder / *name), TBytes(source.begin() + 2 * 23, source.begin() + 6 * 23));

  const auto same = store.ExportRange(EncodeDate(2005, 7, 4), EncodeDate(2005, 7, 4), folder);
  ASSERT_TRUE(same);
  EXPECT_EQ(ReadFile(folder / *same).size(), 2u * 23);

  // From the first to the last offered day: the whole source, written over any older extract.
  const std::string full = TEfemerisClass::ExtractFileName(store.FirstDate(), store.LastDate());
  std::ofstream(folder / full) << "older extract, much longer than the new one will be......";
  ASSERT_TRUE(store.ExportRange(store.FirstDate(), store.LastDate(), folder.string()));
  EXPECT_EQ(ReadFile(folder / full), source);

  const std::string nowhere = (OutputDir() / "no-such-folder").string();
  try {
    store.ExportRange(store.FirstDate(), store.FirstDate(), nowhere);
    FAIL() << "export into a missing folder reported success";
  } catch (const EFileError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot create file " + nowhere + "/01.07.2005-01.07.2005.eft");
  }
}

TEST(EphemerisStore, LocatesTheFileBesideTheProgramWhenTheWorkingFolderLacksIt) {
  const fs::path cwd = fs::current_path();
  const fs::path elsewhere = OutputDir() / "cwd";
  fs::remove_all(elsewhere);
  fs::create_directories(elsewhere);
  fs::current_path(elsewhere);
  EXPECT_EQ(TEfemerisClass::LocateFile("/opt/astravia"), "/opt/astravia/base/efemerid.efm");
  EXPECT_EQ(TEfemerisClass::LocateFile("/opt/astravia/"), "/opt/astravia/base/efemerid.efm");
  fs::create_directories(elsewhere / "base");
  std::ofstream(elsewhere / "base" / "efemerid.efm") << "";
  EXPECT_EQ(TEfemerisClass::LocateFile("/opt/astravia"), "base/efemerid.efm");
  fs::current_path(cwd);
}

// The shipped ephemeris, when the build has generated it.
TEST(ShippedEphemeris, CoversTheFourCenturiesAndReencodesExactly) {
  const fs::path path = fs::path(ASTRAVIA_RUN_DIR) / "base" / "efemerid.efm";
  if (!fs::exists(path))
    GTEST_SKIP() << path << " has not been generated";
  const TEfemerisClass store(path.string());
  EXPECT_EQ(store.LineCount(), 146462u);
  EXPECT_EQ(store.FirstDate(), EncodeDate(1800, 1, 1));
  EXPECT_EQ(store.LastDate(), EncodeDate(2200, 12, 30) + EncodeTime(23, 59, 59));
  const TBytes source = ReadFile(path);
  ASSERT_EQ(source.size(), store.LineCount() * 23);
  TDateTime expected = store.FirstDate();
  for (std::size_t i = 0; i < store.LineCount(); ++i, expected += 1) {
    const TEphemerisRecord r = store.EncodeLine(i);
    ASSERT_TRUE(std::equal(r.begin(), r.end(), source.begin() + 23 * i)) << store.Line(i);
    ASSERT_EQ(store.Line(i).substr(0, 10), DateToText(expected)) << "days not consecutive";
  }
  TPlanetPosition model;
  store.ComputePositions(model, EncodeDate(2000, 1, 1) + 0.5);
  EXPECT_NEAR(model.GetLongitude(1), 280.4, 0.2); // the Sun at J2000.0
}

// Read on demand, the store answers as read whole: for the shipped file at random moments,
// and for a file whose dates do not rise (where only the search over the dates answers).
TEST(EphemerisOnDemand, AnswersAsTheWholeStoreAndFailsWhenTheFileShrinks) {
  const auto same = [](const std::string& file, TDateTime from, TDateTime to) {
    const TEfemerisClass whole(file);
    const TEfemerisClass onDemand(file, TEfemerisClass::TReading::OnDemand);
    ASSERT_EQ(onDemand.LineCount(), whole.LineCount());
    EXPECT_EQ(onDemand.FirstDate(), whole.FirstDate());
    EXPECT_EQ(onDemand.LastDate(), whole.LastDate());
    std::uint32_t seed = 25;
    for (int i = 0; i < 2000; ++i) {
      seed = seed * 1664525u + 1013904223u;
      const TDateTime moment = from + (to - from) * (seed / 4294967296.0);
      ASSERT_EQ(onDemand.LongitudesAt(moment), whole.LongitudesAt(moment)) << moment;
    }
  };
  const fs::path shipped = fs::path(ASTRAVIA_RUN_DIR) / "base" / "efemerid.efm";
  if (fs::exists(shipped))
    same(shipped.string(), EncodeDate(1799, 12, 30), EncodeDate(2201, 1, 2));
  TBytes shuffled = Days(40);
  std::swap_ranges(shuffled.begin() + 23 * 5, shuffled.begin() + 23 * 6,
                   shuffled.begin() + 23 * 30);
  same(WriteFile("shuffled.efm", shuffled), EncodeDate(2005, 6, 28), EncodeDate(2005, 8, 12));

  TBytes withTail = Days(4);
  withTail.insert(withTail.end(), 7, 0xEE);
  EXPECT_EQ(TEfemerisClass(WriteFile("tail.efm", withTail), TEfemerisClass::TReading::OnDemand)
                .LineCount(),
            4u);
  const std::string file = WriteFile("shrinks.efm", Days(40));
  const TEfemerisClass store(file, TEfemerisClass::TReading::OnDemand);
  fs::resize_file(file, 23 * 3);
  EXPECT_THROW(store.LongitudesAt(EncodeDate(2005, 7, 20)), EFileError);
}
